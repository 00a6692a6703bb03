// Binding every registered result to a step, and loading a vector result over a million nodes
// against loading its stored data vector alone.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <numeric>
#include <vector>

#include "BenchResultFile.h"
#include "datastore/PostDSetContainer.h"
#include "datastore/PostDSetModelResult.h"
#include "datastore/PostPartialDList.h"
#include "resultfile/PZARFile.h"
#include "resultfile/RecordFactory.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/PZARRecordIDList.h"
#include "resultfile/records/PZARRecordVector.h"
#include "session/MemModelDB.h"
#include "vresult/VResult.h"
#include "vresult/VResultFactory.h"
#include "vresult/VResultFactoryManager.h"
#include "vresult/catalogue/VResultCatalogue.h"
#include "vresult/catalogue/VResultClassTables.h"

namespace {

constexpr std::int32_t kNodes = 1000000;
constexpr std::int32_t kPhase = 1000000000;

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
        pSet->AddDComp(kPhase + row.nId);
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

// Nodal translations over a million nodes in model order, scanned, with the model that the
// data set indices come from.
class TranslationFile {
public:
  TranslationFile()
      : m_file("vresult-load", [](CPZARFileWriter_140& writer) { return Fill(writer); }) {
    for (std::int32_t id = 1; id <= kNodes; ++id) m_db.AddNode(id, 0, 0, 0);
    if (!m_scan.Scan(m_file.Wide())) std::abort();
    CPZARRecordIDList* pKeys = nullptr;
    for (const auto& pRecord : m_scan.GetRecordList()) {
      if (auto* pIds = PZARRecordCast<CPZARRecordIDList>(pRecord.get())) pKeys = pIds;
      if (auto* pVector = PZARRecordCast<CPZARRecordVector>(pRecord.get())) {
        m_vectors.push_back(pVector);
        m_set.AddDComp(pVector->GetHeader().id)->SetDataLoader(pVector);
      }
    }
    m_set.SetDataLoaderKey(pKeys);
    m_dsets.push_back(&m_set);
  }
  CPZARRecordVector& Vector(std::size_t i) { return *m_vectors.at(i); }
  const zar::MList<CPostDSet*>& Sets() const { return m_dsets; }
  CMemModelDB& Model() { return m_db; }

private:
  static bool Fill(CPZARFileWriter_140& writer) {
    std::vector<std::int32_t> ids(kNodes);
    std::iota(ids.begin(), ids.end(), 1);
    CRecordIDListD keys(writer.GetFile(), ids.data(), kNodes);
    auto idList = CPZARRecordFactory::GetInstance().Create(PZAR_RECORD_TYPE::NODE_ID_LIST,
                                                           PZAR_RECORD_VER::VER_140);
    if (!idList || !writer.WriteRecordHeader(PZAR_RECORD_TYPE::NODE_ID_LIST, kNodes) ||
        !idList->Write(&keys))
      return false;
    std::vector<double> values(kNodes);
    const double range[2] = {0.0, 1.0};
    for (std::int32_t compId = 101; compId <= 104; ++compId) {
      for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = 1e-3 * static_cast<double>(i) * (compId - 101);
      CRecordVectorD data(writer.GetFile());
      data.m_nRealWidth = 8;
      data.m_pMinVal = &range[0];
      data.m_pMaxVal = &range[1];
      data.m_pValues = values.data();
      data.m_nCount = kNodes;
      CPZARRecordVector_140 record;
      if (!writer.WriteRecordHeader(PZAR_RECORD_TYPE::VECTOR, compId) || !record.Write(&data))
        return false;
    }
    return true;
  }

  BenchResultFile m_file;
  CPZARFile m_scan;
  CMemModelDB m_db;
  CPostUnitModelResultDSet m_set{pvk::LOC_NODE, 1};
  zar::MList<CPostDSet*> m_dsets;
  std::vector<CPZARRecordVector*> m_vectors;
};

TranslationFile& Translations() {
  static TranslationFile file;
  return file;
}

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
