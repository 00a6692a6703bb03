// Binding every registered result to a step, and loading a vector result over a million nodes
// against loading its stored data vector alone.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "BenchTranslationFile.h"
#include "core/ResultId.h"
#include "datastore/PostDSetContainer.h"
#include "datastore/PostDSetModelResult.h"
#include "datastore/PostPartialDList.h"
#include "resultfile/records/PZARRecordVector.h"
#include "vresult/VResult.h"
#include "vresult/VResultFactory.h"
#include "vresult/VResultFactoryManager.h"
#include "vresult/catalogue/VResultCatalogue.h"
#include "vresult/catalogue/VResultClassTables.h"

namespace {

using bench_translations::kNodes;
using bench_translations::TranslationFile;
using bench_translations::Translations;

std::unique_ptr<CVResult> Create(std::int32_t id) {
  return CVResultFactoryManager::GetInstance().GetVResultFactory(0)->CreateVResult(id);
}

std::vector<std::int32_t> RegisteredIds() {
  std::vector<std::int32_t> ids;
  for (const TVResultClassTable& table :
       {GetScalarDirectClassTable(), GetScalarDirectPhaseClassTable(), GetCaseInfoClassTable(),
        GetVectorClassTable()}) {
    for (const TVResultClassReg& row : table.aClasses) ids.push_back(row.nResultID);
  }
  return ids;
}

// A step whose data sets hold every catalogue component, and its phase angle, of their
// category: a node result set and a case information set per category.
class FullStep {
public:
  FullStep() {
    for (const TVResCatalogueRow& row : GetVResultCatalogue()) {
      auto& sets = m_sets[row.nCategory];
      if (sets.empty()) {
        sets.push_back(m_container.AddUnitResultDSet(pvk::LOC_NODE, row.nCategory));
        sets.push_back(m_container.AddUnitEntityCaseInfoDSet(pvk::LOC_NODE, row.nCategory));
      }
      for (CPostDSet* pSet : sets) {
        pSet->AddDComp(row.nId);
        pSet->AddDComp(pvk::kPhaseAngleOffset + row.nId);
      }
    }
  }
  const zar::MList<CPostDSet*>& Sets(std::int32_t category) { return m_sets[category]; }

private:
  CPostDSetContainer m_container;
  std::map<std::int32_t, zar::MList<CPostDSet*>> m_sets;
};

void BM_CreateAndInitEveryResult(benchmark::State& state) {
  static FullStep step;
  const std::vector<std::int32_t> ids = RegisteredIds();
  std::int64_t bound = 0;
  for (auto _ : state) {
    bound = 0;
    for (const std::int32_t id : ids) {
      auto vr = Create(id);
      vr->SetLocType(pvk::LOC_NODE);
      bound += vr->Init(step.Sets(vr->GetResCatType()));
      benchmark::DoNotOptimize(vr.get());
    }
  }
  state.counters["bound"] = static_cast<double>(bound);
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(ids.size()));
}
BENCHMARK(BM_CreateAndInitEveryResult)->Unit(benchmark::kMicrosecond);

// The first `range(0)` stored vectors, each into a destination of its own.
void BM_DataVectorLoad(benchmark::State& state) {
  TranslationFile& file = Translations();
  std::vector<zar::MArray<double>> values(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    for (std::size_t i = 0; i < values.size(); ++i) {
      if (!file.Vector(i).LoadData(values[i], &file.Model(), nullptr))
        state.SkipWithError("load failed");
      benchmark::DoNotOptimize(values[i].data());
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kNodes);
}
BENCHMARK(BM_DataVectorLoad)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

// What a block of the four needs besides their values, each array written once into reused
// storage: the stored keys and the node indexing. The floor of the total's load.
void BM_DataVectorLoadWithKeysAndIndex(benchmark::State& state) {
  TranslationFile& file = Translations();
  const auto& set = dynamic_cast<const CPostUnitModelResultDSet&>(*file.Sets().front());
  std::vector<zar::MArray<double>> values(4);
  zar::MArray<std::int32_t> keys, dsi, dct;
  for (auto _ : state) {
    bool ok = set.OverwriteKey(keys);
    for (std::size_t i = 0; i < values.size(); ++i)
      ok = ok && file.Vector(i).OverwriteData(values[i], &file.Model(), nullptr);
    if (!ok || !set.LoadDSI(dsi, dct, &file.Model(), &keys)) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(values.back().data());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kNodes);
}
BENCHMARK(BM_DataVectorLoadWithKeysAndIndex)->Unit(benchmark::kMillisecond);

// 101: the stored total (reads all four vectors); 102: T1 (reads one, shows four columns).
void BM_VectorResultLoad(benchmark::State& state) {
  TranslationFile& file = Translations();
  auto vr = Create(static_cast<std::int32_t>(state.range(0)));
  vr->SetLocType(pvk::LOC_NODE);
  if (!vr->Init(file.Sets())) state.SkipWithError("not bound");
  CPostPartialDList list;
  TVResParam param{nullptr, &file.Model()};
  for (auto _ : state) {
    if (!vr->LoadData(&list, &param)) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(list.GetList().front().get());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kNodes);
}
BENCHMARK(BM_VectorResultLoad)->Arg(101)->Arg(102)->Unit(benchmark::kMillisecond);

}  // namespace
