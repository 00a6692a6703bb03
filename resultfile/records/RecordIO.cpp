#include "resultfile/records/RecordIO.h"

#include <string>

#include "base/ConvertString.h"
#include "base/File.h"

namespace pzar_record {

void WriteInt(CFile& file, std::int32_t value) { file.Write(&value, sizeof(value)); }

void WriteBytes(CFile& file, const void* pData, std::uint64_t nBytes) {
  constexpr std::uint64_t kChunk = 1u << 30;
  const auto* p = static_cast<const char*>(pData);
  for (; nBytes > 0; p += kChunk) {
    const std::uint64_t n = nBytes < kChunk ? nBytes : kChunk;
    file.Write(p, static_cast<unsigned>(n));
    nBytes -= n;
  }
}

void WriteText(CFile& file, const CString& text, unsigned width, unsigned codePage) {
  std::string bytes = zar::lib::MConvertString::ToMultiByte(text.GetString(), codePage);
  bytes.resize(width, '\0');
  file.Write(bytes.data(), width);
}

}  // namespace pzar_record
