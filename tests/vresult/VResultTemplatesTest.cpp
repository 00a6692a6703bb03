#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "datastore/FakeDataLoaders.h"
#include "datastore/PostDSetEntityCaseInfo.h"
#include "datastore/PostDSetModelResult.h"
#include "datastore/PostPartialDList.h"
#include "session/MemModelDB.h"
#include "vresult/VResultFactoryManager.h"
#include "vresult/VResult_ZAR.h"

namespace {

using Column = std::vector<double>;
using DSetList = zar::MList<CPostDSet*>;
constexpr std::int32_t kPhase = 1000000000;

std::unique_ptr<CVResult> Create(std::int32_t id) {
  return CVResultFactoryManager::GetInstance().GetVResultFactory(0)->CreateVResult(id);
}

// A data set of nodes 7 and 3 whose components answer the given values.
class NodeSet {
public:
  NodeSet(std::int32_t category, pvk::LOC_TYPE loc = pvk::LOC_NODE) : m_set(loc, category) {
    m_set.SetDataLoaderKey(&m_keys);
  }
  void Add(std::int32_t compId, Column values, int answer = 1) {
    m_loaders.push_back(std::make_unique<FakeResultLoader<double>>(
        zar::MArray<double>(values.begin(), values.end()), answer));
    m_set.AddDComp(compId)->SetDataLoader(m_loaders.back().get());
  }
  CPostUnitModelResultDSet* Get() { return &m_set; }

private:
  FakeResultLoader<std::int32_t> m_keys{{7, 3}};
  std::vector<std::unique_ptr<FakeResultLoader<double>>> m_loaders;
  CPostUnitModelResultDSet m_set;
};

// The columns of the first block loaded without unit conversion; empty if unbound or failed.
std::vector<Column> Load(CVResult& vr, std::vector<CPostDSet*> sets, int* pBound = nullptr) {
  static CMemModelDB db;
  DSetList dsets;
  for (CPostDSet* pSet : sets) dsets.push_back(pSet);
  if (vr.GetLocType() == 0) vr.SetLocType(pvk::LOC_NODE);
  const int bound = vr.Init(dsets);
  if (pBound) *pBound = bound;
  CPostPartialDList list;
  TVResParam param{nullptr, &db};
  std::vector<Column> columns;
  if (!bound || !vr.LoadDataNU(&list, &param)) return columns;
  const CPostPartialD& block = *list.GetList().front();
  for (std::int32_t i = 0; i < block.GetCompCnt(); ++i)
    columns.emplace_back(block.GetComp(i)->begin(), block.GetComp(i)->end());
  return columns;
}

struct TVectorCase {
  std::int32_t id;
  std::map<std::int32_t, Column> stored;
  std::vector<Column> expected;  // empty: not bound or not loaded
};

TEST(VResultTemplates, VectorColumnsFromStoredComponents) {
  const Column t1{1, -1}, t2{2, 4}, t3{3, 12}, zero{0, 0};
  const std::map<std::int32_t, Column> all{{101, {7, 9}}, {102, t1},     {103, t2},
                                           {104, t3},     {109, {0, 0}}, {111, {0, 0}}};
  const TVectorCase cases[] = {
      {102, all, {t1, t1, zero, zero}},
      {103, all, {t2, zero, t2, zero}},  // T2 of (1, 2, 3) is (2, 0, 2, 0)
      {104, all, {t3, zero, zero, t3}},
      {101, all, {{7, 9}, t1, t2, t3}},  // the total as stored, not recomputed
      {109,
       {{109, {0, 0}}, {102, {3, 0}}, {103, {4, 0}}, {104, {12, 0}}},
       {{5, 0}, {3, 0}, {4, 0}, zero}},  // T12 of (3, 4, 12) is (5, 3, 4, 0)
      {111, all, {{std::sqrt(10.0), std::sqrt(145.0)}, t1, zero, t3}},
      // A missing y component still shows x, with y zero.
      {102, {{102, t1}, {104, t3}}, {t1, t1, zero, zero}},
      // Without their own stored component, totals and resultants are not bound.
      {101, {{102, t1}, {103, t2}, {104, t3}}, {}},
      {109, {{102, t1}, {103, t2}, {104, t3}}, {}},
      // A component result needs the component of its own direction; of a two-component
      // vector, the first component.
      {103, {{102, t1}, {104, t3}}, {}},
      {435102, {{435101, t1}}, {zero, zero, zero, zero}},
      {435102, {{435101, t1}, {435102, t2}}, {t2, zero, t2, zero}},
      {435101, {{435102, t2}}, {}},
      // Phase-angle classes read the phase-angle components.
      {kPhase + 103,
       {{kPhase + 102, t1}, {kPhase + 103, t2}, {kPhase + 104, t3}},
       {t2, zero, t2, zero}},
      {kPhase + 103, {{102, t1}, {103, t2}, {104, t3}}, {}},
  };
  for (const TVectorCase& c : cases) {
    auto vr = Create(c.id);
    ASSERT_NE(vr, nullptr) << c.id;
    NodeSet set(vr->GetResCatType());
    for (const auto& [compId, values] : c.stored) set.Add(compId, values);
    EXPECT_EQ(Load(*vr, {set.Get()}), c.expected) << c.id << " with " << c.stored.size();
  }
}

TEST(VResultTemplates, FailingComponentsAndForeignSets) {
  const Column t1{1, -1}, zero{0, 0};
  {  // y fails to load: zero column; x fails: the block fails.
    NodeSet set(1);
    set.Add(102, t1);
    set.Add(103, {5, 5}, 0);
    auto t1Result = Create(102);
    EXPECT_EQ(Load(*t1Result, {set.Get()}), (std::vector<Column>{t1, t1, zero, zero}));
    int bound = 0;
    auto t2Result = Create(103);
    EXPECT_TRUE(Load(*t2Result, {set.Get()}, &bound).empty());
    EXPECT_EQ(bound, 1);
  }
  {  // A set of the result's location type in another category fails the binding as a whole.
    NodeSet own(1), foreign(2);
    own.Add(102, t1);
    foreign.Add(102, t1);
    int bound = 1;
    auto vr = Create(102);
    Load(*vr, {own.Get(), foreign.Get()}, &bound);
    EXPECT_EQ(bound, 0);
    EXPECT_TRUE(vr->IsEmptyVRDSet());
  }
  {  // Sets of another location type are passed over.
    NodeSet elem(1, pvk::LOC_ELEM), node(1);
    elem.Add(102, t1);
    node.Add(102, t1);
    auto vr = Create(102);
    EXPECT_EQ(Load(*vr, {elem.Get(), node.Get()}).size(), 4u);
    EXPECT_EQ(vr->GetVRDSet().size(), 1u);
    EXPECT_EQ(vr->GetVRDSet().front().pDSet, node.Get());
  }
}

TEST(VResultTemplates, ScalarAndTensorColumns) {
  NodeSet set(0);
  set.Add(1101, {0.25, 0.5});
  auto scalar = Create(1101);
  EXPECT_EQ(Load(*scalar, {set.Get()}), (std::vector<Column>{{0.25, 0.5}}));

  NodeSet stress(0);
  auto tensor = Create(7211);
  ASSERT_NE(tensor, nullptr);
  EXPECT_EQ(tensor->GetLocType(), pvk::LOC_NODE);  // preset: Load() would set it otherwise
  for (std::int32_t i = 0; i < 6; ++i)
    if (i != 4) stress.Add(7201 + i, {1.0 + i, 0});
  EXPECT_EQ(Load(*tensor, {stress.Get()}),
            (std::vector<Column>{{1, 0}, {2, 0}, {3, 0}, {4, 0}, {0, 0}, {6, 0}}));
  tensor->SetLocType(pvk::LOC_ELEM);
  EXPECT_TRUE(Load(*tensor, {stress.Get()}).empty());

  // Created for a board result, it reads the board's components of the same group.
  NodeSet board(0);
  for (std::int32_t i = 1; i <= 6; ++i) board.Add(50003100 + i, {10.0 * i, 0});
  auto boardTensor = Create(7211);
  boardTensor->SetCompID(50003101);
  EXPECT_EQ(Load(*boardTensor, {board.Get()}),
            (std::vector<Column>{{10, 0}, {20, 0}, {30, 0}, {40, 0}, {50, 0}, {60, 0}}));
  EXPECT_TRUE(Load(*boardTensor, {stress.Get()}).empty());
}

// Answers its key with two case values (first 1, second 1, one node) for each of the two
// stored entities.
class CaseInfoLoader : public FakeCaseInfoLoader {
public:
  using FakeCaseInfoLoader::LoadUnitData;
  int LoadUnitData(std::int32_t key, zar::MArray<std::int32_t>& ids, unsigned& n1, unsigned& n2,
                   unsigned& n3, zar::MArray<unsigned int>& values) override {
    n1 = n2 = n3 = 1;
    values = m_values;
    return FakeCaseInfoLoader::LoadUnitData(key, ids, n1, n2, n3, values);
  }
  zar::MArray<unsigned int> m_values{4u, 9u, 5u, 8u};
};

TEST(VResultTemplates, CaseInformationOfEnvelopes) {
  auto vr = Create(2101);
  ASSERT_NE(vr, nullptr);
  vr->SetLocType(pvk::LOC_NODE);
  FakeResultLoader<std::int32_t> keys{{2101, 3}};
  CaseInfoLoader loader;
  CPostUnitEntityCaseInfoDSet caseSet(pvk::LOC_NODE, vr->GetResCatType());
  caseSet.SetDataLoaderKey(&keys);
  caseSet.AddDComp(2101)->SetDataLoader(&loader);
  NodeSet modelSet(vr->GetResCatType());
  modelSet.Add(2101, {1, 2});

  EXPECT_EQ(Load(*vr, {modelSet.Get()}), std::vector<Column>{});  // model sets are not read
  EXPECT_EQ(Load(*vr, {&caseSet}), (std::vector<Column>{{4, 9, 5, 8}}));
  // The result's own id is the key (an entity 2101 is one of the keys, and not asked for).
  EXPECT_EQ(loader.m_call, (FakeEntityCall{1, 2101, 0, nullptr}));
  int bound = 0;
  loader.m_values.pop_back();  // fewer values than the stored entities need
  EXPECT_TRUE(Load(*vr, {&caseSet}, &bound).empty());
  loader.m_nAnswer = 0;
  EXPECT_TRUE(Load(*vr, {&caseSet}, &bound).empty());
  EXPECT_EQ(bound, 1);
}

}  // namespace
