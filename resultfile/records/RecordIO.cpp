#include "resultfile/records/RecordIO.h"

#include <string>

#include "base/ConvertString.h"
#include "base/File.h"

namespace pzar_record {

void WriteInt(CFile& file, std::int32_t value) { file.Write(&value, sizeof(value)); }

void WriteText(CFile& file, const CString& text, unsigned width) {
  std::string bytes = zar::lib::MConvertString::ToMultiByte(text.GetString());
  bytes.resize(width, '\0');
  file.Write(bytes.data(), width);
}

}  // namespace pzar_record
