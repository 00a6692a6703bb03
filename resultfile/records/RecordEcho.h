#pragma once
// Pieces shared by the echoes of the model and special records.
#include <cstdio>
#include <cwchar>

namespace pzar_echo {

inline constexpr const wchar_t* kSep = L"--------------------------------------------\n";

// The title line between two separator lines.
inline void Title(FILE* pFile, const wchar_t* title) {
  std::fwprintf(pFile, L"%ls%ls%ls", kSep, title, kSep);
}

}  // namespace pzar_echo
