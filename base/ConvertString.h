#pragma once
// Code-page conversion between narrow text and CString. Code page 0 is the system code page:
// 949 unless PVK_SYSTEM_CODEPAGE names another; 65001 is UTF-8. Bytes that cannot be
// decoded become U+FFFD; characters that cannot be encoded become '?'. Never throws on bad
// input.
#include <string>
#include <string_view>

#include "base/CString.h"
#include "qve_pvk_export.h"

namespace zar::lib {

class PVK_API MConvertString {
public:
  static unsigned GetSystemCodePage();
  static CString ToWide(std::string_view text, unsigned codePage = 0);
  static std::string ToMultiByte(std::wstring_view text, unsigned codePage = 0);
  // UTF-16 code units, as stored in streams.
  static std::u16string ToUtf16(std::wstring_view text);
  static CString FromUtf16(std::u16string_view text);
};

}  // namespace zar::lib
