#pragma once
// Code-page conversion between narrow text and CString. Code page CP_ACP is the system code
// page: 949 unless PVK_SYSTEM_CODEPAGE names another. Bytes that cannot be decoded become
// U+FFFD; characters that cannot be encoded become '?'. Never throws on bad input.
#include <string>
#include <string_view>

#include "base/CString.h"
#include "qve_pvk_export.h"

// Code page numbers as the framework numbers them; files and settings carry these values.
constexpr unsigned CP_ACP = 0;
constexpr unsigned CP_UTF8 = 65001;

namespace zar::lib {

class PVK_API MConvertString {
public:
  static unsigned GetSystemCodePage();
  static CString ToWide(std::string_view text, unsigned codePage = CP_ACP);
  static std::string ToMultiByte(std::wstring_view text, unsigned codePage = CP_ACP);
  // UTF-16 code units, as stored in streams.
  static std::u16string ToUtf16(std::wstring_view text);
  static CString FromUtf16(std::u16string_view text);
};

}  // namespace zar::lib
