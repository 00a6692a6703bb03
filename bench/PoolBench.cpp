// The post object pool against an insertion-ordered standard map (unordered_map by key plus a
// vector of keys in insertion order), one million objects, measured side by side; and the
// growth of the step list of a result file with its sub-cases.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <optional>
#include <random>
#include <unordered_map>
#include <vector>

#include "session/POHPools.h"
#include "session/POHTypes.h"
#include "session/PostObjectPool.h"
#include "session/QVEPOHSession.h"

namespace {

constexpr std::int32_t kCount = 1'000'000;

// Freed memory stays in the process, so that every repetition runs on warm pages: otherwise
// glibc's adaptive thresholds decide at random whether a run pays ~10 us per fresh page.
const bool g_bWarmHeap = [] {
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  return true;
}();

struct BenchObject : CPostObject {};

struct StdPool {
  std::int32_t Insert(std::unique_ptr<CPostObject> pObject) {
    const std::int32_t nKey = ++m_nMaxKey;
    m_map.emplace(nKey, std::move(pObject));
    m_order.push_back(nKey);
    return nKey;
  }

  std::unordered_map<std::int32_t, std::unique_ptr<CPostObject>> m_map;
  std::vector<std::int32_t> m_order;
  std::int32_t m_nMaxKey = 0;
};

std::vector<std::int32_t> ShuffledKeys() {
  std::vector<std::int32_t> keys(kCount);
  std::iota(keys.begin(), keys.end(), 1);
  std::shuffle(keys.begin(), keys.end(), std::mt19937(2024));
  return keys;
}

// Objects are made in one batch before they enter either container, so that both see the
// same object layout; otherwise the map's nodes would sit next to their objects and the
// comparison would measure the heap rather than the containers.
std::vector<std::unique_ptr<CPostObject>> MakeObjects() {
  std::vector<std::unique_ptr<CPostObject>> objects(kCount);
  for (auto& pObject : objects) pObject = std::make_unique<BenchObject>();
  return objects;
}

void FillPool(CPostObjectPool& pool) {
  for (auto& pObject : MakeObjects()) pool.Insert(std::move(pObject));
}

// No reserve: like the pool, the map does not know the final count.
void FillStd(StdPool& pool) {
  for (auto& pObject : MakeObjects()) pool.Insert(std::move(pObject));
}

void Insert_Pool(benchmark::State& state) {
  for (auto _ : state) {
    std::optional<CPostObjectPool> pool(std::in_place);
    FillPool(*pool);
    state.PauseTiming();
    pool.reset();
    state.ResumeTiming();
  }
}

void Insert_Std(benchmark::State& state) {
  for (auto _ : state) {
    std::optional<StdPool> pool(std::in_place);
    FillStd(*pool);
    state.PauseTiming();
    pool.reset();
    state.ResumeTiming();
  }
}

// Lookups in random key order; bOptimize as the session leaves a pool after an import.
void FindPool(benchmark::State& state, bool bOptimize) {
  CPostObjectPool pool;
  FillPool(pool);
  if (bOptimize) pool.Optimize();
  const std::vector<std::int32_t> keys = ShuffledKeys();
  for (auto _ : state) {
    int nSum = 0;
    for (const std::int32_t nKey : keys) nSum += pool.GetAt(pool.Find(nKey))->IsEnable();
    benchmark::DoNotOptimize(nSum);
  }
}

void Find_PoolOptimized(benchmark::State& state) { FindPool(state, true); }

void Find_PoolUnoptimized(benchmark::State& state) { FindPool(state, false); }

void Find_Std(benchmark::State& state) {
  StdPool pool;
  FillStd(pool);
  const std::vector<std::int32_t> keys = ShuffledKeys();
  for (auto _ : state) {
    int nSum = 0;
    for (const std::int32_t nKey : keys) nSum += pool.m_map.find(nKey)->second->IsEnable();
    benchmark::DoNotOptimize(nSum);
  }
}

void Iterate_Pool(benchmark::State& state) {
  CPostObjectPool pool;
  FillPool(pool);
  for (auto _ : state) {
    int nSum = 0;
    for (auto itr = pool.GetHeadPosition(); itr;) nSum += pool.GetNext(itr)->IsEnable();
    benchmark::DoNotOptimize(nSum);
  }
}

void Iterate_StdInOrder(benchmark::State& state) {
  StdPool pool;
  FillStd(pool);
  for (auto _ : state) {
    int nSum = 0;
    for (const std::int32_t nKey : pool.m_order) nSum += pool.m_map.find(nKey)->second->IsEnable();
    benchmark::DoNotOptimize(nSum);
  }
}

void Iterate_StdUnordered(benchmark::State& state) {
  StdPool pool;
  FillStd(pool);
  for (auto _ : state) {
    int nSum = 0;
    for (const auto& entry : pool.m_map) nSum += entry.second->IsEnable();
    benchmark::DoNotOptimize(nSum);
  }
}

// Objects entered under shuffled keys, then put into ascending key order.
void SortAsc_Pool(benchmark::State& state) {
  const std::vector<std::int32_t> keys = ShuffledKeys();
  for (auto _ : state) {
    state.PauseTiming();
    std::optional<CPostObjectPool> pool(std::in_place);
    for (const std::int32_t nKey : keys) pool->SetAt(nKey, new BenchObject);
    state.ResumeTiming();
    pool->SortAsc();
    state.PauseTiming();
    pool.reset();
    state.ResumeTiming();
  }
}

void SortAsc_Std(benchmark::State& state) {
  const std::vector<std::int32_t> keys = ShuffledKeys();
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<std::int32_t> order = keys;
    state.ResumeTiming();
    std::sort(order.begin(), order.end());
    benchmark::DoNotOptimize(order.data());
  }
}

void RemoveAll_Pool(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    CPostObjectPool pool;
    FillPool(pool);
    state.ResumeTiming();
    pool.RemoveAll();
  }
}

void RemoveAll_Std(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    StdPool pool;
    FillStd(pool);
    state.ResumeTiming();
    pool.m_map.clear();
    pool.m_order.clear();
  }
}

// One entry at a time in order, each removal checked against the live entries.
void RemoveEach_Pool(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    CPostObjectPool pool;
    FillPool(pool);
    state.ResumeTiming();
    for (auto itr = pool.GetHeadPosition(); itr;) pool.RemoveNext(itr);
  }
}

void RemoveEach_Std(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    StdPool pool;
    FillStd(pool);
    state.ResumeTiming();
    for (const std::int32_t nKey : pool.m_order) pool.m_map.erase(nKey);
    pool.m_order.clear();
  }
}

// The steps of a result file of n sub-cases with one step each, as Remove and RemakeResult
// collect them: with one walk of each pool the time grows 4x per 4x sub-cases, not 16x.
void StepsOfResultFile(benchmark::State& state) {
  CQVEPOHSession session;
  const std::uint64_t mcasItr = session.GetPOHPool(pvk::POH_LEVEL_MCAS)->Add();
  for (std::int64_t i = 0; i < state.range(0); ++i) {
    const std::uint64_t scasItr = session.GetPOHPool(pvk::POH_LEVEL_SCAS)->Add();
    session.GetPOHPool(pvk::POH_LEVEL_SCAS)->GetAt(scasItr)->SetParent(mcasItr);
    CPOHPoolBase* pSteps = session.GetPOHPool(pvk::POH_LEVEL_VCAS);
    pSteps->GetAt(pSteps->Add())->SetParent(scasItr);
  }
  const auto& steps = static_cast<const CPOHPoolVcas&>(*session.GetPOHPool(pvk::POH_LEVEL_VCAS));
  zar::MArray<std::uint64_t> out;
  for (auto _ : state) benchmark::DoNotOptimize(steps.GetListByPOHMcas(mcasItr, out));
  state.SetComplexityN(state.range(0));
}

}  // namespace

BENCHMARK(StepsOfResultFile)
    ->RangeMultiplier(4)
    ->Range(1024, 16384)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oN);
BENCHMARK(Insert_Pool)->Unit(benchmark::kMillisecond);
BENCHMARK(Insert_Std)->Unit(benchmark::kMillisecond);
BENCHMARK(Find_PoolOptimized)->Unit(benchmark::kMillisecond);
BENCHMARK(Find_PoolUnoptimized)->Unit(benchmark::kMillisecond);
BENCHMARK(Find_Std)->Unit(benchmark::kMillisecond);
BENCHMARK(Iterate_Pool)->Unit(benchmark::kMillisecond);
BENCHMARK(Iterate_StdInOrder)->Unit(benchmark::kMillisecond);
BENCHMARK(Iterate_StdUnordered)->Unit(benchmark::kMillisecond);
BENCHMARK(SortAsc_Pool)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(SortAsc_Std)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(RemoveAll_Pool)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(RemoveAll_Std)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(RemoveEach_Pool)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(RemoveEach_Std)->Unit(benchmark::kMillisecond)->Iterations(10);
