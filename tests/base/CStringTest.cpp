#include <gtest/gtest.h>

#include "base/CString.h"

namespace {

CString Fmt(const wchar_t* fmt, const auto&... args) {
  CString s;
  s.Format(fmt, args...);
  return s;
}

TEST(CStringFormat, StringsFollowTheArgumentTypeAndPointersAreHex) {
  EXPECT_EQ(Fmt(L"[%s]", L"wide"), L"[wide]");
  EXPECT_EQ(Fmt(L"[%S]", "narrow"), L"[narrow]");
  EXPECT_EQ(Fmt(L"[%s|%S]", CString(L"a"), std::string("b")), L"[a|b]");
  EXPECT_EQ(Fmt(L"[%5s|%-5s|%.2s]", L"ab", L"ab", L"abcdef"), L"[   ab|ab   |ab]");
  const wchar_t* none = nullptr;
  EXPECT_EQ(Fmt(L"%s", none), L"(null)");
  // AppendFormat keeps the text, Format replaces it.
  CString s(L"a=");
  s.AppendFormat(L"%d", 1);
  s.AppendFormat(L",%s", L"b");
  EXPECT_EQ(s, L"a=1,b");
  s.Format(L"%d", 2);
  EXPECT_EQ(s, L"2");
  // A pointer is sixteen upper-case hexadecimal digits.
  EXPECT_EQ(Fmt(L"%p", std::uint64_t{1234}), L"00000000000004D2");
  EXPECT_EQ(Fmt(L"%p", reinterpret_cast<void*>(0xABCDEF0123456789ULL)), L"ABCDEF0123456789");
  EXPECT_EQ(Fmt(L"TarvoPost/%p/", 255), L"TarvoPost/00000000000000FF/");
}

// Numbers behave as in C, but "long" is 32 bits on the original platform: %d and %ld
// truncate, %I64d and %lld do not.
TEST(CStringFormat, NumbersBehaveAsInCWithAThirtyTwoBitLong) {
  EXPECT_EQ(Fmt(L"%.3e", 12345.678), L"1.235e+04");
  EXPECT_EQ(Fmt(L"[%8g]", 0.5), L"[     0.5]");
  EXPECT_EQ(Fmt(L"[%8g]", 1e-7), L"[   1e-07]");
  EXPECT_EQ(Fmt(L"%g %f %lf", 100000.0, 1.5, 2.25), L"100000 1.500000 2.250000");
  EXPECT_EQ(Fmt(L"[%5d|%-5d|%05d|%+d]", 42, 42, 42, 42), L"[   42|42   |00042|+42]");
  EXPECT_EQ(Fmt(L"%u %x %X %o", 4294967295u, 255, 255, 8), L"4294967295 ff FF 10");
  EXPECT_EQ(Fmt(L"%d%%", 50), L"50%");
  const std::int64_t big = 0x100000005LL;
  EXPECT_EQ(Fmt(L"%d %ld", big, big), L"5 5");
  EXPECT_EQ(Fmt(L"%I64d %lld", big, big), L"4294967301 4294967301");
  EXPECT_EQ(Fmt(L"%d", -1), L"-1");
  EXPECT_EQ(Fmt(L"%u", -1), L"4294967295");
  EXPECT_EQ(Fmt(L"%hd", 65537), L"1");
}

TEST(CStringFormat, MismatchedOrMissingArgumentsNeverCrash) {
  EXPECT_EQ(Fmt(L"%d", 2.9), L"2");
  EXPECT_EQ(Fmt(L"%g", 3), L"3");
  EXPECT_EQ(Fmt(L"%d %s %g|", 1), L"1  0|");
  EXPECT_EQ(Fmt(L"%*d|%-*d|", 4, 7, 3, 8), L"   7|8  |");
  EXPECT_EQ(Fmt(L"%n%d", 5, 6), L"6");
  EXPECT_EQ(Fmt(L"trailing %"), L"trailing ");
  // A huge width is bounded rather than allocating without limit.
  EXPECT_LE(Fmt(L"%999999999d", 1).GetLength(), 1 << 16);
}

TEST(CStringOps, SearchSlicesEditingAndComparison) {
  CString s(L"Step=(1.5)");
  EXPECT_EQ(s.Find(L'='), 4);
  EXPECT_EQ(s.Find(L"1.5"), 6);
  EXPECT_EQ(s.Find(L'x'), -1);
  EXPECT_EQ(s.Find(L'S', 20), -1);
  EXPECT_EQ(s.ReverseFind(L')'), 9);
  EXPECT_EQ(s.Left(4), L"Step");
  EXPECT_EQ(s.Mid(5), L"(1.5)");
  EXPECT_EQ(s.Mid(5, 2), L"(1");
  EXPECT_EQ(s.Right(3), L".5)");
  // Out-of-range arguments are clamped, as the framework does.
  EXPECT_EQ(s.Left(-2), L"");
  EXPECT_EQ(s.Mid(50), L"");
  EXPECT_EQ(s.Mid(-3, 2), L"St");
  EXPECT_EQ(s.Right(99), s);
  s = L"  a(b)c(d)  ";
  s.Trim();
  EXPECT_EQ(s, L"a(b)c(d)");
  EXPECT_EQ(s.Remove(L'('), 2);
  EXPECT_EQ(s.Remove(L')'), 2);
  EXPECT_EQ(s, L"abcd");
  EXPECT_EQ(s.Replace(L"bc", L"XYZ"), 1);
  EXPECT_EQ(s, L"aXYZd");
  EXPECT_EQ(s.Replace(L"", L"q"), 0);
  CString t(L"xxhixx");
  EXPECT_EQ(t.Trim(L"x"), L"hi");
  EXPECT_EQ(CString(L"xxx").TrimRight(L"x"), L"");
  EXPECT_EQ(CString(L".tkvp").MakeUpper(), L".TKVP");
  EXPECT_EQ(CString(L"Abc").CompareNoCase(L"aBC"), 0);
  EXPECT_LT(CString(L"abc").Compare(L"abd"), 0);
  EXPECT_TRUE(CString(L"a") != CString(L"b"));
  EXPECT_EQ(CString(L"a") + L"b" + CString(L"c"), L"abc");
}

}  // namespace
