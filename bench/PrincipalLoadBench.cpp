// Loading a solid principal stress result (its value, direction cosines and the two other
// values with theirs: twelve columns) over a million entities, against loading its twelve
// stored components alone. The components answer from memory, so the figures show what the
// result layer adds to the loads themselves.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <numeric>
#include <vector>

#include "datastore/PostDSetModelResult.h"
#include "datastore/PostPartialDList.h"
#include "session/MemModelDB.h"
#include "vresult/VResult.h"
#include "vresult/VResultFactoryManager.h"

namespace {

constexpr std::int32_t kCount = 1000000;

template <class T>
class CMemoryLoader : public IPostDataUnitResultLoader<T> {
public:
  explicit CMemoryLoader(std::vector<T> values) : m_values(std::move(values)) {}
  int LoadData(zar::MArray<T>& out, const zar::MArray<std::uint64_t>&, IPreDBLinker*) override {
    return Copy(out);
  }
  int LoadData(zar::MArray<T>& out, zar::MArray<std::uint64_t>&, IPreDBLinker*,
               zar::MArray<std::int32_t>*) override {
    return Copy(out);
  }
  int LoadData(zar::MArray<T>& out, IPreDBLinker*, zar::MArray<std::int32_t>*) override {
    return Copy(out);
  }
  std::int32_t GetDataCount() const override { return static_cast<std::int32_t>(m_values.size()); }

private:
  int Copy(zar::MArray<T>& out) {
    out.assign(m_values.begin(), m_values.end());
    return 1;
  }
  std::vector<T> m_values;
};

// Principal A, B, C of solid stresses and their nine cosines, over a million nodes.
struct TPrincipalSet {
  TPrincipalSet() {
    std::vector<std::int32_t> ids(kCount);
    std::iota(ids.begin(), ids.end(), 1);
    keys = std::make_unique<CMemoryLoader<std::int32_t>>(ids);
    set.SetDataLoaderKey(keys.get());
    for (const std::int32_t id : {312107, 312108, 312109, 312127, 312128, 312129, 312130, 312131,
                                  312132, 312133, 312134, 312135}) {
      comps.push_back(std::make_unique<CMemoryLoader<double>>(std::vector<double>(kCount, 0.5)));
      set.AddDComp(id)->SetDataLoader(comps.back().get());
    }
    dsets.push_back(&set);
  }
  CPostUnitModelResultDSet set{pvk::LOC_NODE, 22};
  std::unique_ptr<CMemoryLoader<std::int32_t>> keys;
  std::vector<std::unique_ptr<CMemoryLoader<double>>> comps;
  zar::MList<CPostDSet*> dsets;
  CMemModelDB db;
};

TPrincipalSet& Set() {
  static TPrincipalSet set;
  return set;
}

void BM_TwelveStoredComponents(benchmark::State& state) {
  TPrincipalSet& s = Set();
  std::vector<zar::MArray<double>> columns(s.comps.size());
  zar::MArray<std::int32_t> keys;
  for (auto _ : state) {
    s.keys->LoadData(keys, nullptr, nullptr);
    for (std::size_t i = 0; i < columns.size(); ++i)
      s.comps[i]->LoadData(columns[i], nullptr, nullptr);
    benchmark::DoNotOptimize(columns.back().data());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kCount);
}
BENCHMARK(BM_TwelveStoredComponents)->Unit(benchmark::kMillisecond);

void BM_PrincipalResultLoad(benchmark::State& state) {
  TPrincipalSet& s = Set();
  auto vr = CVResultFactoryManager::GetInstance().GetVResultFactory(0)->CreateVResult(312107);
  if (!vr) return state.SkipWithError("not registered");
  vr->SetLocType(pvk::LOC_NODE);
  if (!vr->Init(s.dsets)) return state.SkipWithError("not bound");
  CPostPartialDList list;
  TVResParam param{nullptr, &s.db};
  for (auto _ : state) {
    if (!vr->LoadDataNU(&list, &param)) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(list.GetList().front().get());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kCount);
}
BENCHMARK(BM_PrincipalResultLoad)->Unit(benchmark::kMillisecond);

}  // namespace
