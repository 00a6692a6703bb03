#include "render/LegendObj.h"

#include <algorithm>
#include <string>

#include "base/ConvertString.h"

namespace pvk {

namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

}  // namespace

void T_LEGEND_OBJ::SetText(const CString& text) {
  const std::u16string utf16 = zar::lib::MConvertString::ToUtf16(text.str());
  std::size_t n = std::min<std::size_t>(utf16.size(), N_TEXT - 1);
  // A pair cut in two would leave half a character.
  if (n < utf16.size() && n > 0 && IsHighSurrogate(utf16[n - 1])) --n;
  std::fill(std::begin(szText), std::end(szText), u'\0');
  std::copy_n(utf16.begin(), n, szText);
}

CString T_LEGEND_OBJ::GetText() const {
  const char16_t* end = std::find(std::begin(szText), std::end(szText), u'\0');
  return zar::lib::MConvertString::FromUtf16(std::u16string_view(szText, end - szText));
}

T_LEGEND_OBJ MakeLegendObj(std::int32_t nKind, const CString& text) {
  T_LEGEND_OBJ obj;
  obj.nKind = nKind;
  obj.SetText(text);
  return obj;
}

}  // namespace pvk
