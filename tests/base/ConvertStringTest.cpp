#include <gtest/gtest.h>
#include <stdlib.h>

#include "base/ConvertString.h"

namespace {

using zar::lib::MConvertString;

TEST(ConvertString, RoundTripsInKoreanUtf8AndUtf16) {
  const std::wstring hangul = L"\uACB0\uACFC \uD30C\uC77C";  // "result file" in Hangul
  const std::string cp949 = MConvertString::ToMultiByte(hangul, 949);
  EXPECT_EQ(cp949.size(), 9u);  // two bytes per syllable, one space
  EXPECT_EQ(MConvertString::ToWide(cp949, 949), CString(hangul));
  // A byte sequence only the extended (UHC) half of the code page defines.
  const CString uhc = MConvertString::ToWide("\x81\x41", 949);
  EXPECT_EQ(uhc.GetLength(), 1);
  EXPECT_NE(uhc.GetAt(0), L'\uFFFD');
  const std::wstring text = L"a\u00E9\u20AC\U0001F600";
  const std::string utf8 = MConvertString::ToMultiByte(text, 65001);
  EXPECT_EQ(utf8, "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
  EXPECT_EQ(MConvertString::ToWide(utf8, 65001), CString(text));
  const std::u16string u16 = MConvertString::ToUtf16(L"x\U0001F600");
  ASSERT_EQ(u16.size(), 3u);
  EXPECT_EQ(MConvertString::FromUtf16(u16), CString(L"x\U0001F600"));
}

// Invalid bytes and lone surrogates become replacement characters, unencodable characters
// question marks.
TEST(ConvertString, WhatCannotBeConvertedIsReplaced) {
  EXPECT_EQ(MConvertString::ToWide("a\377b", 65001), CString(L"a\uFFFDb"));
  EXPECT_EQ(MConvertString::ToWide("ab\xE2\x82", 65001), CString(L"ab\uFFFD\uFFFD"));
  EXPECT_EQ(MConvertString::ToWide("\xC0\xAF", 65001).GetAt(0), L'\uFFFD');  // overlong '/'
  // 0xFF is no lead byte in code page 949.
  const CString k = MConvertString::ToWide("x\377y", 949);
  EXPECT_EQ(k.GetAt(0), L'x');
  EXPECT_EQ(k.GetAt(1), L'\uFFFD');
  EXPECT_EQ(k.GetAt(k.GetLength() - 1), L'y');
  const std::u16string lone = {u'a', static_cast<char16_t>(0xD800), u'b'};
  EXPECT_EQ(MConvertString::FromUtf16(lone), CString(L"a\uFFFDb"));
  EXPECT_EQ(MConvertString::ToMultiByte(L"a\u20ACb", 28591), "a?b");
  EXPECT_EQ(MConvertString::ToMultiByte(L"", 949), "");
}

TEST(ConvertString, SystemCodePageFollowsTheEnvironment) {
  unsetenv("PVK_SYSTEM_CODEPAGE");
  EXPECT_EQ(MConvertString::GetSystemCodePage(), 949u);
  setenv("PVK_SYSTEM_CODEPAGE", "65001", 1);
  EXPECT_EQ(MConvertString::GetSystemCodePage(), 65001u);
  EXPECT_EQ(MConvertString::ToMultiByte(L"\u00E9"), "\xC3\xA9");
  setenv("PVK_SYSTEM_CODEPAGE", "not-a-number", 1);
  EXPECT_EQ(MConvertString::GetSystemCodePage(), 949u);
  unsetenv("PVK_SYSTEM_CODEPAGE");
}

// Plain ASCII takes a shortcut in code pages that contain it; the others still convert.
TEST(ConvertString, AsciiIsCopiedOnlyWhereCodePagesHoldIt) {
  for (const unsigned cp : {0u, 949u, 65001u, 1252u}) {
    EXPECT_EQ(std::wstring(MConvertString::ToWide("Title\t1", cp)), L"Title\t1") << cp;
    EXPECT_EQ(MConvertString::ToMultiByte(L"Title\t1", cp), "Title\t1") << cp;
  }
  EXPECT_EQ(std::wstring(MConvertString::ToWide("ab", 1200)), L"\x6261");
  EXPECT_EQ(MConvertString::ToMultiByte(L"a", 1200), std::string("a\0", 2));
  EXPECT_EQ(std::wstring(MConvertString::ToWide("\x1b|", 65001)), L"\x1b|");
}

}  // namespace
