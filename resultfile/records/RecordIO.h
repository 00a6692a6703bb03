#pragma once
// Field writers of the version-140 records.
#include <cstdint>

#include "base/CString.h"

class CFile;

namespace pzar_record {

void WriteInt(CFile& file, std::int32_t value);
// The text in the system code page, then zero bytes up to the field's width.
void WriteText(CFile& file, const CString& text, unsigned width);

}  // namespace pzar_record
