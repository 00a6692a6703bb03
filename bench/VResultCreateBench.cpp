// The work the result tables do when the library loads (registering every generated class and
// its component-type pairs), and creating every registered result by id.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "vresult/VResult.h"
#include "vresult/VResultFactory.h"
#include "vresult/VResultFactoryManager.h"
#include "vresult/catalogue/VResultClassTables.h"

namespace {

std::vector<TVResultClassTable> Tables() {
  return {GetScalarDirectClassTable(), GetScalarDirectPhaseClassTable(), GetCaseInfoClassTable(),
          GetVectorClassTable()};
}

// Each run registers into a key of its own, as the library does once into key 0.
void BM_RegisterAllResultTables(benchmark::State& state) {
  int key = 1000;
  std::int64_t rows = 0;
  for (auto _ : state) {
    ++key;
    for (const TVResultClassTable& table : Tables()) {
      rows += RegisterVResultClasses(key, table.aClasses);
      rows += RegisterCompTypeVResPairs(key, table.aPairs);
    }
  }
  state.SetItemsProcessed(rows);
}
BENCHMARK(BM_RegisterAllResultTables)->Unit(benchmark::kMicrosecond)->Iterations(50);

void BM_CreateEveryResult(benchmark::State& state) {
  std::vector<std::int32_t> ids;
  for (const TVResultClassTable& table : Tables()) {
    for (const TVResultClassReg& row : table.aClasses) ids.push_back(row.nResultID);
  }
  const CVResultFactory* factory = CVResultFactoryManager::GetInstance().GetVResultFactory(0);
  for (auto _ : state) {
    for (const std::int32_t id : ids) {
      auto result = factory->CreateVResult(id);
      if (!result) state.SkipWithError("a registered id was not created");
      benchmark::DoNotOptimize(result.get());
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(ids.size()));
}
BENCHMARK(BM_CreateEveryResult)->Unit(benchmark::kMicrosecond);

}  // namespace
