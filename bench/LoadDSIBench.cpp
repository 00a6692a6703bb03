// The element data set index against a plain loop over the same FindByID calls.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <random>

#include "datastore/PostDSetModelResult.h"
#include "session/ElemTypeTable.h"
#include "session/MemModelDB.h"

namespace {

constexpr std::int32_t kCount = 1'000'000;
constexpr std::int32_t kTypeCodes[] = {1, 4};  // two types of different node counts

// One model of kCount elements, built once; ids to show in model order and shuffled.
struct BenchModel {
  BenchModel() {
    for (std::int32_t id = 1; id <= kCount; ++id) {
      const std::int32_t code = kTypeCodes[id % 2];
      const zar::MArray<std::int32_t> nodes(
          static_cast<std::size_t>(pvk::GetElemTypeEntry(code)->m_nNodeCnt), 1);
      if (!db.AddElement(id, code, nodes)) std::abort();
      ordered.push_back(id);
    }
    shuffled = ordered;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
  }
  CMemModelDB db;
  zar::MArray<std::int32_t> ordered, shuffled;
};

BenchModel& Model() {
  static BenchModel model;
  return model;
}

zar::MArray<std::int32_t>& Ids(const benchmark::State& state) {
  return state.range(0) ? Model().shuffled : Model().ordered;
}

void BM_FindByIDLoop(benchmark::State& state) {
  const IPreDBTable* table = Model().db.GetElementTable();
  const zar::MArray<std::int32_t>& ids = Ids(state);
  for (auto _ : state) {
    std::uint64_t sum = 0;
    for (const std::int32_t id : ids) sum += table->FindByID(id);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}

// The two model queries that the index needs per element, without the index itself.
void BM_FindByIDAndTypeInfoLoop(benchmark::State& state) {
  const IPreDBLinker& db = Model().db;
  const IPreDBTable* table = db.GetElementTable();
  const zar::MArray<std::int32_t>& ids = Ids(state);
  for (auto _ : state) {
    std::int64_t sum = 0;
    for (const std::int32_t id : ids) {
      const TPreElemTypeInfo* info = db.GetElemTypeInfo(table->FindByID(id));
      sum += info ? info->m_nNodeCnt : 0;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}

void BM_LoadDSIElem(benchmark::State& state) {
  CPostUnitModelResultDSet set(pvk::LOC_ELEM, 1);
  zar::MArray<std::int32_t>& ids = Ids(state);
  zar::MArray<std::int32_t> dsi(kCount), dct(kCount);  // reused, already touched
  for (auto _ : state) {
    if (!set.LoadDSI(dsi, dct, &Model().db, &ids)) state.SkipWithError("LoadDSI failed");
    benchmark::DoNotOptimize(dsi.data());
    benchmark::DoNotOptimize(dct.data());
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}

}  // namespace

// Argument: 0 ids in model order, 1 shuffled.
BENCHMARK(BM_FindByIDLoop)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FindByIDAndTypeInfoLoop)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadDSIElem)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
