#pragma once
// The echo lines of the records: formatted with the library's printf rules (a wide %s), so the
// echo formats are used exactly as written, and written as bytes in the system code page, as
// the host's own locale writes its text files, whatever the locale of the process.
#include <cstdio>
#include <string>

#include "base/CString.h"
#include "base/ConvertString.h"

namespace pzar_echo {

inline constexpr const wchar_t* kSep = L"--------------------------------------------\n";

// Formats and writes one piece of echo text; false when the stream refused it.
template <class... Args>
bool Echo(FILE* pFile, const wchar_t* fmt, const Args&... args) {
  CString line;
  line.Format(fmt, args...);
  const std::string bytes = zar::lib::MConvertString::ToMultiByte(line.str(), 0);
  return std::fwrite(bytes.data(), 1, bytes.size(), pFile) == bytes.size();
}

// The title line between two separator lines.
inline void Title(FILE* pFile, const wchar_t* title) { Echo(pFile, L"%s%s%s", kSep, title, kSep); }

}  // namespace pzar_echo
