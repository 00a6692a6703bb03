#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "datastore/FakeDataLoaders.h"
#include "datastore/PostDSetModelResult.h"
#include "datastore/PostPartialDList.h"
#include "resultfile/records/PZARRecordReaction.h"
#include "session/MemModelDB.h"
#include "support/ReactionRows.h"
#include "vresult/VResultFactoryManager.h"
#include "vresult/VResult_ZAR.h"

namespace {

using Column = std::vector<double>;
using Columns = std::vector<Column>;
constexpr std::int32_t kPhase = 1000000000;

std::unique_ptr<CVResult> Create(std::int32_t id) {
  return CVResultFactoryManager::GetInstance().GetVResultFactory(0)->CreateVResult(id);
}

// A model result set of two rows (nodes 7 and 3 by default) whose components answer values.
class ResultSet {
public:
  ResultSet(std::int32_t category, pvk::LOC_TYPE loc = pvk::LOC_NODE) : m_set(loc, category) {
    m_set.SetDataLoaderKey(&m_keys);
  }
  void Add(std::int32_t compId, Column values, int answer = 1) {
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

// The first block loaded without unit conversion; nothing when unbound or failed.
std::optional<CPostPartialD> LoadBlock(CVResult& vr, CPostDSet* pSet, int* pBound = nullptr) {
  static CMemModelDB db;
  zar::MList<CPostDSet*> dsets;
  dsets.push_back(pSet);
  if (vr.GetLocType() == 0) vr.SetLocType(pvk::LOC_NODE);
  const int bound = vr.Init(dsets);
  if (pBound) *pBound = bound;
  CPostPartialDList list;
  TVResParam param{nullptr, &db};
  if (!bound || !vr.LoadDataNU(&list, &param)) return std::nullopt;
  return *list.GetList().front();
}

Columns ColumnsOf(const std::optional<CPostPartialD>& block) {
  Columns columns;
  for (std::int32_t i = 0; block && i < block->GetCompCnt(); ++i)
    columns.emplace_back(block->GetComp(i)->begin(), block->GetComp(i)->end());
  return columns;
}

// Columns of a result over a node set of the result's category holding `stored`.
Columns Load(std::int32_t id, const std::map<std::int32_t, Column>& stored,
             std::optional<pvk::AMT_TYPE> amt = std::nullopt) {
  auto vr = Create(id);
  EXPECT_NE(vr, nullptr) << id;
  if (!vr) return {};
  if (amt) vr->SetAMTType(*amt);
  ResultSet set(vr->GetResCatType());
  for (const auto& [compId, values] : stored) set.Add(compId, values);
  return ColumnsOf(LoadBlock(*vr, set.Get()));
}

// n columns of zeros with the given non-zero columns.
Columns ZerosWith(std::size_t n, const std::map<std::size_t, Column>& set) {
  Columns columns(n, Column{0, 0});
  for (const auto& [i, values] : set) columns[i] = values;
  return columns;
}

// The ids first .. first + n - 1, each storing {k, -k} for its position k from 1.
std::map<std::int32_t, Column> IdRun(std::int32_t first, std::int32_t n, std::int32_t skip = 0) {
  std::map<std::int32_t, Column> stored;
  for (std::int32_t k = 1; k <= n; ++k)
    if (first + k - 1 != skip) stored[first + k - 1] = {1.0 * k, -1.0 * k};
  return stored;
}

Columns RunColumns(std::int32_t n, std::int32_t zeroAt = -1) {
  Columns columns;
  for (std::int32_t k = 1; k <= n; ++k)
    columns.push_back(k - 1 == zeroAt ? Column{0, 0} : Column{1.0 * k, -1.0 * k});
  return columns;
}

struct TGroupCase {
  std::string what;
  std::int32_t id;
  std::map<std::int32_t, Column> stored;
  Columns expected;  // empty: not bound or not loaded
  std::optional<pvk::AMT_TYPE> amt = std::nullopt;
};

TEST(VResultTensorTemplates, ColumnsOfEveryNodeGroupTemplate) {
  std::map<std::int32_t, Column> spr3{{60401, {1, 1}}, {60412, {2, 2}}, {60423, {3, 3}}};
  spr3[60411] = {9, 9};  // the eleventh of a group is not read
  const TGroupCase cases[] = {
      {"intensity is twice the maximum shear", 312123, {{312112, {12.5, -1}}}, {{25.0, -2}}},
      {"phase-angle intensity", kPhase + 312123, {{kPhase + 312112, {1, 2}}}, {{2, 4}}},
      {"element fatigue as stored", 1172, {{1172, {0.5, 2}}}, {{0.5, 2}}},
      {"tensor, missing one zero-filled", 7207, IdRun(7201, 6, 7205), RunColumns(6, 4)},
      {"tensor loads as a scalar too", 7108, IdRun(7101, 6), RunColumns(6), pvk::AMT_SCALAR},
      {"tensor refuses another amount type", 7207, IdRun(7201, 6), {}, pvk::AMT_VECTOR},
      {"tensor needs its first", 7207, IdRun(7201, 6, 7201), {}},
      {"phase-angle tensor", kPhase + 7210, IdRun(kPhase + 7201, 6), RunColumns(6)},
      {"fatigue set needs its own component", 9006, IdRun(9007, 6), {}},
      {"fatigue set of seven",
       9001,
       [] {
         auto s = IdRun(9007, 6, 9009);
         s[9001] = {7, 7};
         return s;
       }(),
       {{7, 7}, {1, -1}, {2, -2}, {0, 0}, {4, -4}, {5, -5}, {6, -6}}},
      {"fatigue set refuses a scalar load", 9002, IdRun(9002, 1), {}, pvk::AMT_SCALAR},
      {"nonlinear set of eight", 7701, IdRun(7701, 8, 7708), RunColumns(8, 7)},
      {"nonlinear set refuses a tensor load", 7701, IdRun(7701, 8), {}, pvk::AMT_TENSOR},
      {"SPR group of ten, missing one zero-filled", 60100, IdRun(60101, 11, 60105),
       RunColumns(10, 4)},
      {"SPR group needs its first", 60111, IdRun(60112, 10, 60112), {}},
      {"phase-angle SPR group", kPhase + 60200, IdRun(kPhase + 60201, 10), RunColumns(10)},
      {"SPR of three groups", 60433, spr3,
       ZerosWith(30, {{0, {1, 1}}, {10, {2, 2}}, {20, {3, 3}}})},
      {"SPR of seven groups",
       60300,
       {{60312, {1, 2}}, {60378, {3, 4}}},
       ZerosWith(70, {{0, {1, 2}}, {60, {3, 4}}})},
  };
  for (const TGroupCase& c : cases) EXPECT_EQ(Load(c.id, c.stored, c.amt), c.expected) << c.what;
}

TEST(VResultTensorTemplates, BindingRulesOfNodeGroups) {
  {  // A first component that fails to load fails the block; the others are zero-filled.
    auto vr = Create(7207);
    ResultSet set(vr->GetResCatType());
    set.Add(7201, {1, 1}, 0);
    set.Add(7202, {2, 2});
    int bound = 0;
    EXPECT_FALSE(LoadBlock(*vr, set.Get(), &bound));
    EXPECT_EQ(bound, 1);
  }
  {  // Node groups bind node sets only.
    auto vr = Create(60100);
    ResultSet set(vr->GetResCatType(), pvk::LOC_ELEM);
    set.Add(60101, {1, 1});
    vr->SetLocType(pvk::LOC_ELEM);
    int bound = 1;
    LoadBlock(*vr, set.Get(), &bound);
    EXPECT_EQ(bound, 0);
  }
  {  // The store files 7701 to 7708 under category 107, the catalogue the result under 106;
     // element fatigue components under 70, the results under 79.
    auto vr = Create(7701);
    ResultSet set(107);
    set.Add(7701, {1, 1});
    EXPECT_EQ(ColumnsOf(LoadBlock(*vr, set.Get())), ZerosWith(8, {{0, {1, 1}}}));
    auto fatigue = Create(1171);
    ResultSet elements(70, pvk::LOC_ELEM);
    elements.Add(1171, {5, 6});
    fatigue->SetLocType(pvk::LOC_ELEM);
    int bound = 0;
    LoadBlock(*fatigue, elements.Get(), &bound);
    EXPECT_EQ(bound, 1);
  }
  {  // A tensor created for a board result reads the board's components of its group.
    auto vr = Create(7207);
    vr->SetCompID(50003107);
    ResultSet set(vr->GetResCatType());
    for (std::int32_t i = 1; i <= 6; ++i) set.Add(50003100 + i, {1.0 * i, -1.0 * i});
    EXPECT_EQ(ColumnsOf(LoadBlock(*vr, set.Get())), RunColumns(6));
    auto spr = Create(60200);  // SPR components have no board counterpart
    spr->SetCompID(50003101);
    int bound = 1;
    LoadBlock(*spr, set.Get(), &bound);
    EXPECT_EQ(bound, 0);
  }
}

// Reaction records of two rows: entity 7 at (1, 2, 3) and entity 9 at (-1, 0, 5).
class ReactionSet {
public:
  explicit ReactionSet(const std::vector<std::int32_t>& components) : m_set(4, pvk::LOC_POINT) {
    for (const std::int32_t component : components) {
      auto& pRecord = m_records.emplace_back(std::make_unique<CPZARRecordReaction_None>());
      pRecord->SetHeader({0, component});
      pRecord->SetReaction(ReactionRows());
      m_set.AddLoader(component, pRecord.get());
    }
  }
  CPostUnitModelResultDSet* Get() { return m_set.Get(); }

private:
  std::vector<std::unique_ptr<CPZARRecordReaction_None>> m_records;
  ResultSet m_set;
};

struct TReactionCase {
  std::int32_t id;
  std::vector<std::int32_t> stored;
  Columns expected;  // empty: not bound
};

TEST(VResultTensorTemplates, ReactionsKeyedByTheirRecords) {
  const Column fx{3, 0}, fy{4, -6}, fz{12, 8}, zero{0, 0};
  const TReactionCase cases[] = {
      {481, {481, 482, 483, 484}, {{13, 10}, fx, fy, fz}},
      {483, {482, 483, 484}, {fy, fx, fy, fz}},
      {484, {484, 482}, {fz, fx, zero, fz}},  // a missing component is zero-filled
      {487, {486, 487}, {{2, 0}, {1, -2}, {2, 0}, zero}},
      {485, {486, 487, 488}, {}},  // its own component is needed
  };
  for (const TReactionCase& c : cases) {
    auto vr = Create(c.id);
    ASSERT_NE(vr, nullptr) << c.id;
    ReactionSet set(c.stored);
    std::optional<CPostPartialD> block = LoadBlock(*vr, set.Get());
    EXPECT_EQ(ColumnsOf(block), c.expected) << c.id;
    if (!block) continue;
    EXPECT_EQ(block->GetLOCType(), pvk::LOC_POINT);
    EXPECT_EQ(*block->GetKey(), (zar::MArray<std::int32_t>{7, 9}));
    EXPECT_EQ(*block->GetKey(), *block->GetFKey());
    ASSERT_EQ(block->GetPos()->size(), 2u);
    EXPECT_EQ(block->GetPos()->at(1)[2], 5.0);
    EXPECT_TRUE(block->GetDSI()->empty());  // geometry rows carry no entity information
  }
  // The reaction keys belong to point sets only.
  ResultSet nodes(4);
  zar::MArray<std::int32_t> ids{1};
  zar::MArray<zar::MVector<double, 3>> points;
  EXPECT_EQ(nodes.Get()->LoadReactionKey(ids, points), 0);
  EXPECT_TRUE(ids.empty());
}

}  // namespace
