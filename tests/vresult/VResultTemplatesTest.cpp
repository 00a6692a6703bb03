// What the registry walk cannot show, as it stores every component a result needs: partly
// stored or failing components, refused amount types and sets, and the column order of the
// groups whose later components the walk leaves unstored.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "ResultSets.h"
#include "datastore/PostDSetEntityCaseInfo.h"
#include "resultfile/records/PZARRecordReaction.h"
#include "support/ReactionRows.h"

namespace vrtest {
namespace {

// The ids first .. first + n - 1 but `skip`, each storing {k, -k} for its position k from 1.
Stored IdRun(std::int32_t first, std::int32_t n, std::int32_t skip = 0) {
  Stored stored;
  for (std::int32_t k = 1; k <= n; ++k)
    if (first + k - 1 != skip) stored[first + k - 1] = {1.0 * k, -1.0 * k};
  return stored;
}

// The columns of IdRun(first, n, first + zeroAt) as loaded.
Columns RunColumns(std::int32_t n, std::int32_t zeroAt = -1) {
  Columns columns;
  for (std::int32_t k = 1; k <= n; ++k)
    columns.push_back(k - 1 == zeroAt ? Column{0, 0} : Column{1.0 * k, -1.0 * k});
  return columns;
}

// n columns of zeros but the given ones.
Columns ZerosWith(std::size_t n, const std::map<std::size_t, Column>& set) {
  Columns columns(n, Column{0, 0});
  for (const auto& [i, values] : set) columns[i] = values;
  return columns;
}

struct TCase {
  const char* what;
  std::int32_t id;
  Stored stored;
  Columns expected;  // empty: not bound or not loaded
  std::optional<pvk::AMT_TYPE> amt = std::nullopt;
};

TEST(VResultTemplates, ColumnsFromPartlyStoredComponents) {
  const Column t1{1, -1}, t2{2, 4}, t3{3, 12}, zero{0, 0};
  const Stored xyz{{102, t1}, {103, t2}, {104, t3}};
  const Stored all{{101, {7, 9}}, {102, t1}, {103, t2}, {104, t3}, {109, zero}, {111, zero}};
  Stored spr3{{60401, {1, 1}}, {60412, {2, 2}}, {60423, {3, 3}}};
  spr3[60411] = {9, 9};  // the eleventh of a group is not read
  Stored fatigue = IdRun(9007, 6, 9009);
  fatigue[9001] = {7, 7};
  const TCase cases[] = {
      {"a component shows its own axis only", 103, all, {t2, zero, t2, zero}},
      {"a total needs its own component", 101, xyz, {}},
      {"a resultant needs its own component", 109, xyz, {}},
      {"a component needs its own axis", 103, {{102, t1}, {104, t3}}, {}},
      {"second of two", 435102, {{435101, t1}, {435102, t2}}, {t2, zero, t2, zero}},
      {"first of two needed", 435101, {{435102, t2}}, {}},
      {"six as a whole, missing one zero-filled", 7211, IdRun(7201, 6, 7205), RunColumns(6, 4)},
      {"tensor, missing one zero-filled", 7207, IdRun(7201, 6, 7205), RunColumns(6, 4)},
      {"tensor loads as a scalar too", 7108, IdRun(7101, 6), RunColumns(6), pvk::AMT_SCALAR},
      {"tensor refuses another amount type", 7207, IdRun(7201, 6), {}, pvk::AMT_VECTOR},
      {"tensor needs its first", 7207, IdRun(7201, 6, 7201), {}},
      {"fatigue set of seven",
       9001,
       fatigue,
       {{7, 7}, {1, -1}, {2, -2}, {0, 0}, {4, -4}, {5, -5}, {6, -6}}},
      {"fatigue set refuses a scalar load", 9002, IdRun(9002, 1), {}, pvk::AMT_SCALAR},
      {"nonlinear set of eight", 7701, IdRun(7701, 8, 7708), RunColumns(8, 7)},
      {"nonlinear set refuses a tensor load", 7701, IdRun(7701, 8), {}, pvk::AMT_TENSOR},
      {"SPR group of ten, missing one zero-filled", 60100, IdRun(60101, 11, 60105),
       RunColumns(10, 4)},
      {"SPR of three groups", 60433, spr3,
       ZerosWith(30, {{0, {1, 1}}, {10, {2, 2}}, {20, {3, 3}}})},
      {"SPR of seven groups",
       60300,
       {{60312, {1, 2}}, {60378, {3, 4}}},
       ZerosWith(70, {{0, {1, 2}}, {60, {3, 4}}})},
  };
  for (const TCase& c : cases) EXPECT_EQ(Load(c.id, c.stored, c.amt), c.expected) << c.what;
}

TEST(VResultTemplates, FailingComponentsAndRefusedSets) {
  const Column t1{1, -1}, zero{0, 0};
  ResultSet failingY(1);
  failingY.Add(102, t1);
  failingY.Add(103, {5, 5}, 0);
  EXPECT_EQ(ColumnsOf(LoadBlock(*Create(102), {failingY.Get()})), (Columns{t1, t1, zero, zero}));
  // A required component that fails to load fails the block, not the binding.
  ResultSet failingFirst(Create(7207)->GetResCatType());
  failingFirst.Add(7201, {1, 1}, 0);
  failingFirst.Add(7202, {2, 2});
  for (const auto& [id, pSet] : {std::pair{103, failingY.Get()}, {7207, failingFirst.Get()}}) {
    int bound = 0;
    EXPECT_FALSE(LoadBlock(*Create(id), {pSet}, &bound)) << id;
    EXPECT_EQ(bound, 1) << id;
  }

  // A set of the result's location in another category fails the binding as a whole.
  ResultSet own(1), foreign(2);
  own.Add(102, t1);
  foreign.Add(102, t1);
  auto vr = Create(102);
  int bound = 1;
  LoadBlock(*vr, {own.Get(), foreign.Get()}, &bound);
  EXPECT_EQ(bound, 0);
  EXPECT_TRUE(vr->IsEmptyVRDSet());
  // Sets of another location are passed over.
  ResultSet elem(1, pvk::LOC_ELEM);
  elem.Add(102, t1);
  vr = Create(102);
  EXPECT_EQ(ColumnsOf(LoadBlock(*vr, {elem.Get(), own.Get()})).size(), 4u);
  ASSERT_EQ(vr->GetVRDSet().size(), 1u);
  EXPECT_EQ(vr->GetVRDSet().front().pDSet, own.Get());
  // The node groups and the tensor of six bind node sets only.
  for (const std::int32_t id : {60100, 7211}) {
    vr = Create(id);
    ResultSet elems(vr->GetResCatType(), pvk::LOC_ELEM);
    elems.Add(id == 7211 ? 7201 : 60101, t1);
    vr->SetLocType(pvk::LOC_ELEM);
    bound = 1;
    LoadBlock(*vr, {elems.Get()}, &bound);
    EXPECT_EQ(bound, 0) << id;
  }
}

TEST(VResultTemplates, ResultsOfABoardReadTheBoardsComponents) {
  ResultSet board(Create(7207)->GetResCatType()), plain(board.Get()->GetResCatType());
  for (std::int32_t i = 1; i <= 6; ++i) {
    board.Add(50003100 + i, {1.0 * i, -1.0 * i});
    plain.Add(7200 + i, {1, 1});
  }
  auto vr = Create(7207);
  vr->SetCompID(50003107);
  EXPECT_EQ(ColumnsOf(LoadBlock(*vr, {board.Get()})), RunColumns(6));
  EXPECT_FALSE(LoadBlock(*vr, {plain.Get()}));
  auto spr = Create(60200);  // SPR components have no board counterpart
  spr->SetCompID(50003101);
  int bound = 1;
  LoadBlock(*spr, {board.Get()}, &bound);
  EXPECT_EQ(bound, 0);
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
  FakeResultLoader<std::int32_t> keys{{2101, 3}};
  CaseInfoLoader loader;
  CPostUnitEntityCaseInfoDSet caseSet(pvk::LOC_NODE, vr->GetResCatType());
  caseSet.SetDataLoaderKey(&keys);
  caseSet.AddDComp(2101)->SetDataLoader(&loader);
  ResultSet modelSet(vr->GetResCatType());
  modelSet.Add(2101, {1, 2});

  EXPECT_FALSE(LoadBlock(*vr, {modelSet.Get()}));  // model sets are not read
  EXPECT_EQ(ColumnsOf(LoadBlock(*vr, {&caseSet})), (Columns{{4, 9, 5, 8}}));
  // The result's own id is the key (an entity 2101 is one of the keys, and not asked for).
  EXPECT_EQ(loader.m_call, (FakeEntityCall{1, 2101, 0, nullptr}));
  int bound = 0;
  loader.m_values.pop_back();  // fewer values than the stored entities need
  EXPECT_FALSE(LoadBlock(*vr, {&caseSet}, &bound));
  loader.m_nAnswer = 0;
  EXPECT_FALSE(LoadBlock(*vr, {&caseSet}, &bound));
  EXPECT_EQ(bound, 1);
}

// Reaction records of two rows: entity 7 at (1, 2, 3) and entity 9 at (-1, 0, 5).
class ReactionSet {
public:
  explicit ReactionSet(const std::vector<std::int32_t>& components) {
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
  ResultSet m_set{4, pvk::LOC_POINT};
};

TEST(VResultTemplates, ReactionsKeyedByTheirRecords) {
  ReactionSet partial({484, 482});
  std::optional<CPostPartialD> block = LoadBlock(*Create(484), {partial.Get()});
  // A missing component is zero-filled.
  EXPECT_EQ(ColumnsOf(block), (Columns{{12, 8}, {3, 0}, {0, 0}, {12, 8}}));
  ASSERT_TRUE(block);
  EXPECT_EQ(block->GetLOCType(), pvk::LOC_POINT);
  EXPECT_EQ(*block->GetKey(), *block->GetFKey());
  ASSERT_EQ(block->GetPos()->size(), 2u);
  EXPECT_EQ(block->GetPos()->at(1)[2], 5.0);
  ReactionSet noTotal({486, 487, 488});
  EXPECT_FALSE(LoadBlock(*Create(485), {noTotal.Get()}));  // its own component is needed

  // The reaction keys belong to point sets only.
  ResultSet nodes(4);
  zar::MArray<std::int32_t> ids{1};
  zar::MArray<zar::MVector<double, 3>> points;
  EXPECT_EQ(nodes.Get()->LoadReactionKey(ids, points), 0);
  EXPECT_TRUE(ids.empty());
}

}  // namespace
}  // namespace vrtest
