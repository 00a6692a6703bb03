#pragma once
// Model result sets whose stored components answer fixed values, and the columns a result
// loads from them, for the template tests.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "datastore/FakeDataLoaders.h"
#include "datastore/PostDSetModelResult.h"
#include "datastore/PostPartialDList.h"
#include "session/MemModelDB.h"
#include "vresult/VResultFactoryManager.h"
#include "vresult/VResult_ZAR.h"

namespace vrtest {

using Column = std::vector<double>;
using Columns = std::vector<Column>;
using Stored = std::map<std::int32_t, Column>;

constexpr std::int32_t kPhase = 1000000000;

inline std::unique_ptr<CVResult> Create(std::int32_t id) {
  return CVResultFactoryManager::GetInstance().GetVResultFactory(0)->CreateVResult(id);
}

// Nodes 1 to 3 and the triangles 7 and 3 on them (a centre and three node values each).
inline CMemModelDB& Model() {
  static CMemModelDB db;
  if (db.GetNodeTable()->GetCount() == 0) {
    for (const std::int32_t id : {1, 2, 3}) db.AddNode(id, id, 0, 0);
    for (const std::int32_t id : {7, 3}) db.AddElement(id, 4, {1, 2, 3});
  }
  return db;
}

// A set of two entities, 7 and 3 (nodes unless told), of one category.
class ResultSet {
public:
  explicit ResultSet(std::int32_t category, pvk::LOC_TYPE loc = pvk::LOC_NODE)
      : m_set(loc, category) {
    m_set.SetDataLoaderKey(&m_keys);
  }
  void Add(std::int32_t compId, const Column& values, int answer = 1) {
    m_loaders.push_back(std::make_unique<FakeResultLoader<double>>(
        zar::MArray<double>(values.begin(), values.end()), answer));
    AddLoader(compId, m_loaders.back().get());
  }
  void AddLoader(std::int32_t compId, IPostDataUnitResultLoader<double>* pLoader) {
    m_set.AddDComp(compId)->SetDataLoader(pLoader);
  }
  CPostUnitModelResultDSet* Get() { return &m_set; }

private:
  FakeResultLoader<std::int32_t> m_keys{{7, 3}};
  std::vector<std::unique_ptr<FakeResultLoader<double>>> m_loaders;
  CPostUnitModelResultDSet m_set;
};

// The first block of the result bound to the sets (at nodes unless its location is set),
// loaded without unit conversion; nothing when unbound or failed.
inline std::optional<CPostPartialD> LoadBlock(CVResult& vr, const std::vector<CPostDSet*>& sets,
                                              int* pBound = nullptr,
                                              const TOutCSysInfo* pCSys = nullptr) {
  zar::MList<CPostDSet*> dsets;
  for (CPostDSet* pSet : sets) dsets.push_back(pSet);
  if (vr.GetLocType() == 0) vr.SetLocType(pvk::LOC_NODE);
  const int bound = vr.Init(dsets);
  if (pBound) *pBound = bound;
  CPostPartialDList list;
  TVResParam param{nullptr, &Model(), pCSys};
  if (!bound || !vr.LoadDataNU(&list, &param)) return std::nullopt;
  return *list.GetList().front();
}

inline Columns ColumnsOf(const std::optional<CPostPartialD>& block) {
  Columns columns;
  for (std::int32_t i = 0; block && i < block->GetCompCnt(); ++i)
    columns.emplace_back(block->GetComp(i)->begin(), block->GetComp(i)->end());
  return columns;
}

// The columns of the result over a node set of its category holding `stored`.
inline Columns Load(std::int32_t id, const Stored& stored,
                    std::optional<pvk::AMT_TYPE> amt = std::nullopt) {
  auto vr = Create(id);
  EXPECT_NE(vr, nullptr) << id;
  if (!vr) return {};
  if (amt) vr->SetAMTType(*amt);
  ResultSet set(vr->GetResCatType());
  for (const auto& [compId, values] : stored) set.Add(compId, values);
  return ColumnsOf(LoadBlock(*vr, {set.Get()}));
}

}  // namespace vrtest
