#pragma once
// Field writers and the echo line of the case and list records.
#include <cstdint>
#include <cstdio>

#include "base/CString.h"

class CFile;

namespace pzar_record {

void WriteInt(CFile& file, std::int32_t value);
// The text in the system code page, then zero bytes up to the field's width.
void WriteText(CFile& file, const CString& text, unsigned width);

// Formats with the library's printf rules (a wide %s) and writes the line; false on failure.
template <class... Args>
bool Echo(FILE* pFile, const wchar_t* fmt, const Args&... args) {
  CString line;
  line.Format(fmt, args...);
  return std::fputws(line.GetString(), pFile) >= 0;
}

}  // namespace pzar_record
