#pragma once
// The echo lines of the records: formatted with the library's printf rules (a wide %s), so the
// echo formats are used exactly as written.
#include <cstdio>

#include "base/CString.h"

namespace pzar_echo {

inline constexpr const wchar_t* kSep = L"--------------------------------------------\n";

// Formats and writes one piece of echo text; false when the stream refused it.
template <class... Args>
bool Echo(FILE* pFile, const wchar_t* fmt, const Args&... args) {
  CString line;
  line.Format(fmt, args...);
  return std::fputws(line.GetString(), pFile) >= 0;
}

// The title line between two separator lines.
inline void Title(FILE* pFile, const wchar_t* title) { Echo(pFile, L"%s%s%s", kSep, title, kSep); }

}  // namespace pzar_echo
