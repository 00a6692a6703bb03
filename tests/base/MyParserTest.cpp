// The expression parser: muparser's grammar in either case, the compiled form over bound
// variables, the reasons it keeps, and IEEE results where a host enabled traps.
#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <numbers>
#include <optional>

#include "base/MyParser.h"

namespace {

using zar::lib::MyParser;

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(MyParser, ParsingNumberArg) {
  struct TCase {
    const wchar_t* text;
    std::optional<double> value;  // none: refused
    std::int32_t pos = -1;
  };
  const TCase cases[] = {
      {L"-1.000000e+00^2", -1},  // the sign binds looser than the power
      {L"2--1.500000e+00", 3.5},
      {L"SQRT(16)+sqrt(9)+ABS(-1)+MAX(1,5,2)+AVG(2,4)", 16},
      {L"ATAN2(1,1)*4", std::numbers::pi},
      {L"_PI+_pi", 2 * std::numbers::pi},
      {L"1>=2||1!=1?10:2*3^2", 18},
      {L"1/0", kInf},
      {L"1+", std::nullopt, 2},
      {L"NOSUCH(1)", std::nullopt, 0},
      {L"1=2", std::nullopt, 1},
      {L"1+\u00e9", std::nullopt, 2},
      {L"", std::nullopt},
  };
  MyParser parser;
  for (const TCase& c : cases) {
    const int ok = parser.ParsingNumberArg(c.text);
    ASSERT_EQ(ok, c.value.has_value()) << c.text << ": " << parser.GetError().strMsg.GetString();
    if (ok) {
      EXPECT_EQ(parser.GetNumberData(), *c.value) << c.text;
    } else {
      EXPECT_EQ(parser.GetError().nPos, c.pos) << c.text;
    }
    EXPECT_EQ(parser.GetError().strMsg.IsEmpty(), ok == 1) << c.text;
  }
  EXPECT_TRUE(std::isnan(parser.ParsingNumberArg(L"0/0") ? parser.GetNumberData() : 0.0));
}

// Set once, evaluated as the bound values change; nothing to evaluate after a refusal.
TEST(MyParser, CompiledFormReadsTheBoundValues) {
  double x = 0, y = 0;
  MyParser parser;
  ASSERT_EQ(parser.DefineVar(L"x", &x), 1);
  ASSERT_EQ(parser.DefineVar(L"y_1", &y), 1);
  EXPECT_EQ(parser.DefineVar(L"1x", &x), 0);
  EXPECT_EQ(parser.DefineVar(L"x\u00e9", &x), 0);
  EXPECT_TRUE(std::isnan(parser.Eval()));
  ASSERT_EQ(parser.SetExpr(L"x*2+y_1"), 1);
  for (const double v : {1.0, -2.5, 1e-300}) {
    x = v;
    y = 3 * v;
    EXPECT_EQ(parser.Eval(), v * 2 + 3 * v) << v;
  }
  EXPECT_EQ(parser.SetExpr(L"x=y_1"), 0);
  EXPECT_EQ(parser.GetError().nPos, 1);
  EXPECT_TRUE(std::isnan(parser.Eval()));
  EXPECT_EQ(parser.SetExpr(L"x+z"), 0);
  EXPECT_EQ(parser.GetError().strToken, CString(L"z"));
}

// A host that traps division by zero and overflow still gets the IEEE values.
TEST(MyParser, NoTrapWhereTheHostEnabledThem) {
  constexpr int kTraps = FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID;
  const int before = feenableexcept(kTraps);
  MyParser parser;
  const int ok = parser.ParsingNumberArg(L"1/0+1e300*1e300");
  const int traps = fegetexcept();
  fedisableexcept(kTraps & ~before);
  ASSERT_EQ(ok, 1);
  EXPECT_EQ(parser.GetNumberData(), kInf);
  EXPECT_EQ(traps & kTraps, kTraps);  // still enabled after the parse
}

}  // namespace
