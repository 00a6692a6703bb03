// The result calculator: its token rules, exact rows where a text substitution loses digits,
// agreement with that substitution where seven digits suffice, and refusals.
#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "base/DBSession.h"
#include "base/UnitControl.h"
#include "datastore/PostPartialD.h"
#include "session/MemModelDB.h"
#include "support/CalcTextSubstitution.h"
#include "vresult/VResult.h"
#include "vresult/VResultCalculator.h"

namespace {

using Column = std::vector<double>;
using Block = std::vector<Column>;  // the columns of one partial data object

constexpr double kInf = std::numeric_limits<double>::infinity();

// A result that loads fixed blocks, one per binding; an empty block fails to load.
class CFixedResult : public CVResult {
public:
  explicit CFixedResult(std::vector<Block> blocks, pvk::LOC_TYPE loc = pvk::LOC_NODE)
      : m_blocks(std::move(blocks)) {
    SetLocType(loc);
    for (std::size_t p = 0; p < m_blocks.size(); ++p) AddVRDSet(TVRDSet{.nReserved = p});
  }
  TVResParam m_seen;  // the load context of the last load

protected:
  int _LoadPartial(CPostPartialD* pData, TVRDSet* pVRDSet, TVResParam* pParam) override {
    m_seen = *pParam;
    const Block& block = m_blocks[pVRDSet->nReserved];
    if (block.empty() ||
        !pData->Init(pvk::AMT_SCALAR, GetLocType(), static_cast<std::int32_t>(block.size())))
      return 0;
    for (std::size_t c = 0; c < block.size(); ++c)
      pData->GetComp(static_cast<std::int32_t>(c))->assign(block[c].begin(), block[c].end());
    return 1;
  }

private:
  std::vector<Block> m_blocks;
};

// Division by zero traps while it lives, as in a host that enabled the trap.
class CDivisionTrap {
public:
  CDivisionTrap() : m_before(feenableexcept(FE_DIVBYZERO)) {}
  ~CDivisionTrap() {
    if (m_before >= 0 && !(m_before & FE_DIVBYZERO)) fedisableexcept(FE_DIVBYZERO);
  }

private:
  int m_before;
};

class CUnitSession : public zar_interface::IDBSession {
public:
  const zar::lib::MUnitCtrl* GetUnitCtrl() const override { return &m_ctrl; }
  zar::lib::MUnitCtrl m_ctrl;
};

// One row: its expression over scalar operands of one value each, and what comes out. The
// token rules, then rows exact where "%e" would keep seven digits, then refusals.
TEST(VResultCalculator, TokenRulesExactRowsAndRefusals) {
  struct TCase {
    const wchar_t* expr;
    std::vector<double> operands;
    std::optional<double> value;  // none: the computation fails
    std::int32_t pos = -1;        // where in the expression it failed
  };
  const double near = 1.0 + 1e-12, tiny = 1.2345678901234e-300;
  const TCase cases[] = {
      {L"[A]*2+[B]", {-3, 5}, -1},
      {L" [a] + [b]", {-3, 5}, 2},
      {L"[A]*[A]", {-3, 5}, 9},   // the second token is the first's text: operand 1 is not read
      {L"[B]-[A]", {-3, 5}, -8},  // tokens go by order, not by text
      {L"[]+[X Y]/[ ]", {-3, 5, 7}, -3 + 5.0 / -3},
      {L"[A]>0?[A]:-[B]", {-3, 5, 7}, -7},  // three tokens: [B] is the third
      {L"SQRT([A]^2+[B]^2)", {-3, 5}, std::sqrt(34.0)},
      {L"[A]^2", {-3}, 9},  // the operand is one value, not "-3^2"
      {L"min([A],[B],[C])+_pi*0", {-3, 5, 7}, -3},
      {L"[A]/0", {-3}, -kInf},
      {L"[A]-[B]", {near, 1}, near - 1},
      {L"[A]-[B]", {123456.789012345, 123456.789012344}, 123456.789012345 - 123456.789012344},
      {L"[A]+[B]", {1e16, 1}, 1e16 + 1},
      {L"[A]+[B]", {tiny, 0}, tiny},
      {L"[A]/[B]", {3.3333333333e-300, 1e-300}, 3.3333333333e-300 / 1e-300},
      {L"[A]*[B]", {1e-300, 1e-10}, 1e-300 * 1e-10},
      {L"[A]*[A]", {-3}, std::nullopt},
      {L"[A]+[B]", {-3, 5, 7}, std::nullopt},
      {L"[A]", {}, std::nullopt},
      {L"[A]]+[B]", {-3, 5}, std::nullopt, 3},
      {L"[[A]+1", {-3}, std::nullopt, 0},
      {L"[A]+[B", {-3}, std::nullopt, 4},
      {L"2[A]", {-3}, std::nullopt, 1},
      {L"[A]2", {-3}, std::nullopt, 0},
      {L"[A]*", {-3}, std::nullopt, 4},
      {L"[A]=1", {-3}, std::nullopt, 3},
      {L"NOSUCH([A])", {-3}, std::nullopt, 0},
  };
  const CDivisionTrap trap;
  for (const TCase& c : cases) {
    std::vector<std::unique_ptr<CFixedResult>> results;
    zar::MArray<CVResult*> operands;
    for (const double v : c.operands) {
      results.push_back(std::make_unique<CFixedResult>(std::vector<Block>{{{v}}}));
      operands.push_back(results.back().get());
    }
    CVResultCalculator calc(nullptr, nullptr, nullptr);
    T_VRES_CALC_OUT out(1);
    const int ok = calc.Compute(c.expr, operands, out);
    EXPECT_EQ(ok, c.value.has_value()) << c.expr << ": " << calc.GetErrorMsg().GetString();
    EXPECT_EQ(calc.GetErrorPos(), c.pos) << c.expr << ": " << calc.GetErrorMsg().GetString();
    EXPECT_EQ(calc.GetErrorMsg().IsEmpty(), ok == 1) << c.expr;
    if (ok) {
      EXPECT_EQ(out, T_VRES_CALC_OUT(1, {1, {{*c.value}}})) << c.expr;
    } else {
      EXPECT_TRUE(out.empty()) << c.expr;
    }
  }
}

// Each failure empties the output and says why.
TEST(VResultCalculator, OperandsThatDoNotFit) {
  struct TCase {
    const char* what;
    std::vector<Block> second;  // operand 1; operand 0 has two blocks of 1 and 2 columns
    pvk::LOC_TYPE loc = pvk::LOC_NODE;
    bool null = false;  // operand 1 is a null pointer
  };
  const Block one = {{1, 2}}, two = {{1, 2}, {3, 4}};
  const TCase cases[] = {
      {"a block short", {one}},
      {"a column short", {one, {{1, 2}}}},
      {"a row short", {one, {{1, 2}, {3}}}},
      {"another location", {one, two}, pvk::LOC_ELEM},
      {"not loaded", {{}}},
      {"null", {one, two}, pvk::LOC_NODE, true},
  };
  CFixedResult first({one, two});
  for (const TCase& c : cases) {
    CFixedResult second(c.second, c.loc);
    CVResultCalculator calc(nullptr, nullptr, nullptr);
    T_VRES_CALC_OUT out(1);
    const zar::MArray<CVResult*> operands = {&first, c.null ? nullptr : &second};
    EXPECT_EQ(calc.Compute(L"[A]+[B]", operands, out), 0) << c.what;
    EXPECT_TRUE(out.empty()) << c.what;
    EXPECT_FALSE(calc.GetErrorMsg().IsEmpty()) << c.what;
  }
}

// Every block and column, each row from the same row of the operands, through the typed-array
// form; the loads take the session's unit control and the link. A repeated computation.
TEST(VResultCalculator, ComputesEveryBlockColumnAndRow) {
  CFixedResult a({{{1, 2}}, {{3}, {4}}});
  CFixedResult b({{{10, 20}}, {{30}, {40}}});
  CUnitSession session;
  CMemModelDB model;
  CVResultCalculator calc(&session, &model, nullptr);
  T_VRES_CALC_OUT out;
  ASSERT_EQ(calc.Compute(L"[B]-[A]", zar::MTArray<CVResult*>{&a, &b}, out), 1);
  EXPECT_EQ(out, T_VRES_CALC_OUT({{1, {{-9, -18}}}, {2, {{-27}, {-36}}}}));
  EXPECT_EQ(b.m_seen.pUnitCtrl, &session.m_ctrl);
  EXPECT_EQ(b.m_seen.pLinker, &model);
  EXPECT_TRUE(calc.GetErrorMsg().IsEmpty());
  // Again into the same output, of another shape: nothing of the first is left.
  CFixedResult c({{{1, 2, 3}}});
  ASSERT_EQ(calc.Compute(L"[C]*10", zar::MArray<CVResult*>{&c}, out), 1);
  EXPECT_EQ(out, T_VRES_CALC_OUT(1, {1, {{10, 20, 30}}}));
}

// Side by side with the text substitution on random values, in expressions that cancel no
// digits: there seven digits suffice and both give the same rows. Operand 0 is [A], 1 is [B].
TEST(VResultCalculator, AgreesWithTheTextSubstitution) {
  const wchar_t* exprs[] = {
      L"[A]*[B]*2",         L"[A]/[B]",         L"MIN([A],[B])*3",        L"SQRT(([A])^2+[B]^2)",
      L"EXP([A]/1000)*[B]", L"([A])^2*[B]+[B]", L"ABS([A])*[B]^-1+[B]^3", L"[A]*([B]>100?1:-1)"};
  std::mt19937_64 random(15);
  std::uniform_real_distribution<double> value(1e-3, 1e3);
  constexpr std::size_t kRows = 200;
  Column a(kRows), b(kRows);
  for (std::size_t r = 0; r < kRows; ++r) {
    a[r] = value(random) * (r % 2 ? 1 : -1);
    b[r] = value(random);
  }
  zar::lib::MyParser parser;
  for (const wchar_t* e : exprs) {
    CVResultCalcExpr expr;
    ASSERT_EQ(expr.Set(e), 1) << e;
    Column compiled(kRows);
    const double* columns[] = {a.data(), b.data()};
    expr.Evaluate(columns, kRows, compiled.data());
    for (std::size_t r = 0; r < kRows; ++r) {
      double text = 0;
      const double row[] = {a[r], b[r]};
      ASSERT_EQ(SubstituteAndParse(parser, expr, row, text), 1) << e << " row " << r;
      EXPECT_NEAR(compiled[r], text, 1e-5 * std::abs(text)) << e << " row " << r;
    }
  }
}

}  // namespace
