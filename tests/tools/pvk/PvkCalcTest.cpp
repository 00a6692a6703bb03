// pvk calc: every row is the expression of the operands' rows as `pvk values` prints them.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "PvkRun.h"

namespace {

using pvk_test::json;
using pvk_test::PvkCli;
using pvk_test::TRun;

using Row = std::vector<double>;  // one value per operand

double Value(const json& v) { return v.is_null() ? NAN : v.get<double>(); }

class PvkCalc : public PvkCli {
protected:
  void SetUp() override { ASSERT_EQ(Run("sample beam --cells 2 --steps 3").code, 0); }
};

TEST_F(PvkCalc, RowsAreTheExpressionOfTheOperandsValues) {
  struct TCase {
    std::string expr;
    std::vector<std::string> operands;  // as --operand takes them
    std::string options;
    std::function<double(const Row&)> f;
  };
  const TCase cases[] = {
      {"[A]*2+[B]", {"102", "104"}, "", [](const Row& v) { return v[0] * 2 + v[1]; }},
      {"sqrt([t1]^2 + [t3]^2) - [total]",
       {"'t1 translation'", "104", "101"},
       "--subcase TRANSIENT --step 3 --units m",
       [](const Row& v) { return std::sqrt(v[0] * v[0] + v[1] * v[1]) - v[2]; }},
      // The second [A] is its own token, but replaced with the first: operand 1 is not read.
      {"[A]/[A]*[B]",
       {"312114@element", "312101@element", "312106@2"},
       "--units kN,m",
       [](const Row& v) { return v[0] / v[0] * v[2]; }},
      {"[A]>[B]?1:-[C]",
       {"7207", "7208", "7211"},
       "",
       [](const Row& v) { return v[0] > v[1] ? 1 : -v[2]; }},
  };
  for (const TCase& c : cases) {
    std::string args = "calc beam.tkvp --json " + c.options + " --expr '" + c.expr + "'";
    std::vector<json> values;  // each operand's, as `values --columns` prints them
    for (std::string operand : c.operands) {
      args += " --operand " + operand;
      if (const std::size_t at = operand.find('@'); at != std::string::npos)
        operand.replace(at, 1, " --loc ");
      values.push_back(
          Json("values beam.tkvp --json --columns " + c.options + " --result " + operand)["rows"]);
    }
    const json calc = Json(args);
    ASSERT_FALSE(values[0].empty()) << args;
    ASSERT_EQ(calc["rows"].size(), values[0].size()) << args;
    EXPECT_EQ(calc["operands"].size(), c.operands.size()) << args;
    for (std::size_t r = 0; r < values[0].size(); ++r) {
      const json& row = calc["rows"][r];
      EXPECT_EQ(row["id"], values[0][r]["id"]) << args << " row " << r;
      EXPECT_EQ(row.value("at", ""), values[0][r].value("at", "")) << args << " row " << r;
      for (std::size_t col = 0; col < row["values"].size(); ++col) {
        Row operands;
        for (const json& rows : values) operands.push_back(Value(rows[r]["values"][col]));
        const double expected = c.f(operands), got = Value(row["values"][col]);
        if (std::isfinite(expected)) {
          EXPECT_DOUBLE_EQ(got, expected) << args << " row " << r << " column " << col;
        } else {
          EXPECT_TRUE(std::isnan(got)) << args << " row " << r << " column " << col;
        }
      }
    }
  }
}

// 0/0 is NaN with its sign bit set here; text shows it as "nan" either way.
TEST_F(PvkCalc, NotANumberPrintsWithoutASign) {
  for (const char* format : {"--csv", ""}) {
    const TRun run = Run(std::string("calc beam.tkvp --expr '[A]/0' --operand 104 ") + format);
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("nan"), std::string::npos) << format;
    EXPECT_EQ(run.out.find("-nan"), std::string::npos) << format;
  }
}

}  // namespace
