// The result calculator over a million nodes: a two-operand expression evaluated compiled and
// by text substitution over the same loaded operands, against a plain loop (the anchor), and
// the whole computation with its loads against the loads alone.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "BenchTranslationFile.h"
#include "base/MyParser.h"
#include "datastore/PostPartialDList.h"
#include "support/CalcTextSubstitution.h"
#include "vresult/VResult.h"
#include "vresult/VResultCalcExpr.h"
#include "vresult/VResultCalculator.h"
#include "vresult/VResultFactoryManager.h"

namespace {

using bench_translations::kNodes;
using bench_translations::Translations;

constexpr const wchar_t* kExpr = L"[A]*2+[B]";
constexpr std::int32_t kT1 = 102, kT3 = 104;

std::unique_ptr<CVResult> Bound(std::int32_t id) {
  auto vr = CVResultFactoryManager::GetInstance().GetVResultFactory(0)->CreateVResult(id);
  vr->SetLocType(pvk::LOC_NODE);
  if (!vr->Init(Translations().Sets())) std::abort();
  return vr;
}

// T1 and T3 of every node, loaded once: the value columns of their first blocks.
struct TOperands {
  TOperands() {
    TVResParam param{nullptr, &Translations().Model()};
    for (const std::int32_t id : {kT1, kT3}) {
      results.push_back(Bound(id));
      lists.push_back(std::make_unique<CPostPartialDList>());
      if (!results.back()->LoadData(lists.back().get(), &param)) std::abort();
      columns.push_back(lists.back()->GetList().front()->GetComp(0)->data());
    }
  }
  std::vector<std::unique_ptr<CVResult>> results;
  std::vector<std::unique_ptr<CPostPartialDList>> lists;
  std::vector<const double*> columns;
};

TOperands& Operands() {
  static TOperands operands;
  return operands;
}

void SetRows(benchmark::State& state) {
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kNodes);
}

void BM_PlainLoopAnchor(benchmark::State& state) {
  const std::vector<const double*>& in = Operands().columns;
  std::vector<double> out(kNodes);
  for (auto _ : state) {
    for (std::int32_t r = 0; r < kNodes; ++r) out[r] = in[0][r] * 2 + in[1][r];
    benchmark::DoNotOptimize(out.data());
  }
  SetRows(state);
}
BENCHMARK(BM_PlainLoopAnchor)->Unit(benchmark::kMillisecond);

void BM_CompiledRows(benchmark::State& state) {
  const std::vector<const double*>& in = Operands().columns;
  CVResultCalcExpr expr;
  if (!expr.Set(kExpr)) state.SkipWithError("does not parse");
  std::vector<double> out(kNodes);
  for (auto _ : state) {
    expr.Evaluate(in, kNodes, out.data());
    benchmark::DoNotOptimize(out.data());
  }
  SetRows(state);
}
BENCHMARK(BM_CompiledRows)->Unit(benchmark::kMillisecond);

void BM_TextSubstitutionRows(benchmark::State& state) {
  const std::vector<const double*>& in = Operands().columns;
  CVResultCalcExpr expr;
  if (!expr.Set(kExpr)) state.SkipWithError("does not parse");
  zar::lib::MyParser parser;
  std::vector<double> out(kNodes);
  for (auto _ : state) {
    for (std::int32_t r = 0; r < kNodes; ++r) {
      const double row[] = {in[0][r], in[1][r]};
      if (!SubstituteAndParse(parser, expr, row, out[r])) state.SkipWithError("does not parse");
    }
    benchmark::DoNotOptimize(out.data());
  }
  SetRows(state);
}
BENCHMARK(BM_TextSubstitutionRows)->Unit(benchmark::kMillisecond);

// The two operands loaded as Compute loads them, without the expression.
void BM_OperandLoads(benchmark::State& state) {
  TOperands& operands = Operands();
  TVResParam param{nullptr, &Translations().Model()};
  for (auto _ : state) {
    for (std::size_t k = 0; k < operands.results.size(); ++k)
      if (!operands.results[k]->LoadData(operands.lists[k].get(), &param))
        state.SkipWithError("load failed");
    benchmark::DoNotOptimize(operands.lists.front().get());
  }
  SetRows(state);
}
BENCHMARK(BM_OperandLoads)->Unit(benchmark::kMillisecond);

// Loads, checks and evaluates every column (T1 shows four: value, x, y, z).
void BM_ComputeWithLoads(benchmark::State& state) {
  TOperands& operands = Operands();
  CVResultCalculator calc(nullptr, &Translations().Model(), nullptr);
  const zar::MArray<CVResult*> in = {operands.results[0].get(), operands.results[1].get()};
  T_VRES_CALC_OUT out;
  for (auto _ : state) {
    if (!calc.Compute(kExpr, in, out)) state.SkipWithError("compute failed");
    benchmark::DoNotOptimize(out.data());
  }
  SetRows(state);
}
BENCHMARK(BM_ComputeWithLoads)->Unit(benchmark::kMillisecond);

}  // namespace
