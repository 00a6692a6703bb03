// Result catalogue lookups over every catalogued id: the sorted table's binary search against an
// unordered_map of the same rows (anchor), measured side by side, and the query functions that
// the legend calls (category, and the name with its message-table lookup).
#include <benchmark/benchmark.h>

#include <unordered_map>
#include <vector>

#include "vresult/catalogue/VResultCatalogue.h"
#include "vresult/catalogue/VResultQuery_ZAR.h"

namespace {

std::vector<std::int32_t> AllIds() {
  std::vector<std::int32_t> ids;
  for (const TVResCatalogueRow& row : GetVResultCatalogue()) ids.push_back(row.nId);
  return ids;
}

void BM_SortedTableFind(benchmark::State& state) {
  const std::vector<std::int32_t> ids = AllIds();
  for (auto _ : state)
    for (std::int32_t id : ids) benchmark::DoNotOptimize(FindVResultCatalogueRow(id));
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(ids.size()));
}

void BM_UnorderedMapFind(benchmark::State& state) {
  const std::vector<std::int32_t> ids = AllIds();
  std::unordered_map<std::int32_t, const TVResCatalogueRow*> map;
  for (const TVResCatalogueRow& row : GetVResultCatalogue()) map.emplace(row.nId, &row);
  for (auto _ : state)
    for (std::int32_t id : ids) benchmark::DoNotOptimize(map.find(id));
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(ids.size()));
}

void BM_GetResCatType(benchmark::State& state) {
  const std::vector<std::int32_t> ids = AllIds();
  for (auto _ : state)
    for (std::int32_t id : ids) benchmark::DoNotOptimize(CVResultQuery_ZAR::_GetResCatType(id));
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(ids.size()));
}

void BM_GetVResultName(benchmark::State& state) {
  const std::vector<std::int32_t> ids = AllIds();
  for (auto _ : state)
    for (std::int32_t id : ids) benchmark::DoNotOptimize(CVResultQuery_ZAR::_GetVResultName(id));
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(ids.size()));
}

}  // namespace

BENCHMARK(BM_SortedTableFind);
BENCHMARK(BM_UnorderedMapFind);
BENCHMARK(BM_GetResCatType);
BENCHMARK(BM_GetVResultName);
