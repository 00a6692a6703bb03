#include <gtest/gtest.h>

#include <numeric>
#include <optional>

#include "datastore/FakeDataLoaders.h"
#include "datastore/PostDSetEntityCaseData.h"
#include "datastore/PostDSetEntityComp.h"
#include "datastore/PostDSetModelResult.h"
#include "session/ElemTypeTable.h"
#include "session/MemModelDB.h"

namespace {

using IDs = zar::MArray<std::int32_t>;
using Out = std::pair<IDs, IDs>;  // data start and count per id

std::int32_t NodeCount(std::int32_t typeCode) {
  return pvk::GetElemTypeEntry(typeCode)->m_nNodeCnt;
}

// Elements 11 and 12 of two types with different node counts; id 99 is not in the model.
class LoadDSI : public ::testing::Test {
protected:
  void SetUp() override {
    for (std::int32_t n = 1; n <= 20; ++n) m_db.AddNode(n, n, 0, 0);
    AddElem(11, kTypeA);
    AddElem(12, kTypeB);
    ASSERT_NE(NodeCount(kTypeA), NodeCount(kTypeB));
  }
  void AddElem(std::int32_t id, std::int32_t typeCode) {
    IDs nodes;
    for (std::int32_t n = 1; n <= NodeCount(typeCode); ++n) nodes.push_back(n);
    ASSERT_NE(m_db.AddElement(id, typeCode, nodes), 0u);
  }

  static constexpr std::int32_t kTypeA = 1;
  static constexpr std::int32_t kTypeB = 4;
  CMemModelDB m_db;
  IDs m_dsi{7, 7, 7, 7, 7, 7, 7};  // reused outputs holding old values
  IDs m_dct{7};
};

TEST_F(LoadDSI, FacetsAndNodesTakeOneValueEachInIdOrder) {
  // Counts around the four-entry steps of the writer, over outputs holding stale values.
  for (const pvk::LOC_TYPE loc : {pvk::LOC_FACET, pvk::LOC_NODE}) {
    CPostUnitModelResultDSet set(loc, 1);
    for (const std::size_t n : {1u, 2u, 5u, 16u, 37u}) {
      m_dsi.assign(40, 7);
      m_dct.assign(3, 7);
      IDs ids(n, 3), dsi(n), dct(n, 1);
      std::iota(dsi.begin(), dsi.end(), 0);
      EXPECT_EQ(set.LoadDSI(m_dsi, m_dct, &m_db, &ids), 1);
      EXPECT_EQ(Out(m_dsi, m_dct), Out(dsi, dct)) << n;
    }
  }
}

TEST_F(LoadDSI, ElementsTakeCentrePlusNodesAndMissingOnesTakeNoRoom) {
  CPostUnitModelResultDSet set(pvk::LOC_ELEM, 1);
  IDs ids{12, 99, 11, 12};
  const std::int32_t b = NodeCount(kTypeB) + 1, a = NodeCount(kTypeA) + 1;
  EXPECT_EQ(set.LoadDSI(m_dsi, m_dct, &m_db, &ids), 1);
  EXPECT_EQ(Out(m_dsi, m_dct), Out(IDs{0, 0, b, b + a}, IDs{b, 0, a, b}));
}

TEST_F(LoadDSI, CornerElementsTakeTheValueCountOfTheFirstComponent) {
  CPostUnitModelResultDSet set(pvk::LOC_ELEM_CORNER, 1);
  FakeResultLoader<double> loader;
  loader.m_info = pvk::TVResDInfo{{0, 0, 4}};
  set.AddDComp(3)->SetDataLoader(&loader);
  IDs ids{11, 99, 12};
  EXPECT_EQ(set.LoadDSI(m_dsi, m_dct, &m_db, &ids), 1);
  EXPECT_EQ(Out(m_dsi, m_dct), Out(IDs{0, 0, 4}, IDs{4, 0, 4}));

  // No usable count, or offsets beyond 32 bits: 0 with zeroed outputs.
  const std::optional<pvk::TVResDInfo> bad[] = {
      std::nullopt, pvk::TVResDInfo{{0, 0, 0}}, pvk::TVResDInfo{{0, 0, -2}},
      pvk::TVResDInfo{{0, 0, std::numeric_limits<std::int32_t>::max() / 2 + 1}}};
  for (const auto& info : bad) {
    loader.m_info = info;
    m_dsi.assign(5, 7);
    EXPECT_EQ(set.LoadDSI(m_dsi, m_dct, &m_db, &ids), 0);
    EXPECT_EQ(Out(m_dsi, m_dct), Out(IDs(3, 0), IDs(3, 0)));
  }
  CPostUnitModelResultDSet noComp(pvk::LOC_ELEM_CORNER, 1);
  EXPECT_EQ(noComp.LoadDSI(m_dsi, m_dct, &m_db, &ids), 0);
}

TEST_F(LoadDSI, MissingInputsLeaveTheOutputsAndOtherTypesZeroThem) {
  IDs ids{11}, none;
  const IDs dsi = m_dsi, dct = m_dct;
  EXPECT_EQ(CPostUnitModelResultDSet(pvk::LOC_NODE, 1).LoadDSI(m_dsi, m_dct, nullptr, &ids), 0);
  EXPECT_EQ(CPostUnitModelResultDSet(pvk::LOC_NODE, 1).LoadDSI(m_dsi, m_dct, &m_db, nullptr), 0);
  EXPECT_EQ(CPostUnitModelResultDSet(pvk::LOC_NODE, 1).LoadDSI(m_dsi, m_dct, &m_db, &none), 0);
  EXPECT_EQ(CPostUnitModelResultDSet(pvk::LOC_TYPE{0}, 1).LoadDSI(m_dsi, m_dct, &m_db, &ids), 0);
  EXPECT_EQ(Out(m_dsi, m_dct), Out(dsi, dct));
  for (const pvk::LOC_TYPE loc : {pvk::LOC_ELEM_NODE, pvk::LOC_POINT, pvk::LOC_IBM_VOLUME_NODE}) {
    EXPECT_EQ(CPostUnitModelResultDSet(loc, 1).LoadDSI(m_dsi, m_dct, &m_db, &ids), 0);
    EXPECT_EQ(Out(m_dsi, m_dct), Out(IDs{0}, IDs{0}));
  }
}

TEST(EntityDSI, RowsFollowTheStoredEntitiesAndTheFirstRowWins) {
  FakeResultLoader<std::int32_t> keys({5, 9, 5, 2});
  CPostUnitEntityCompDSet set(pvk::LOC_NODE, 1);
  set.SetDataLoaderKey(&keys);
  IDs dsi, dct, ids{2, 5, 7};
  EXPECT_EQ(set.LoadDSI(dsi, dct, &ids, 3), 1);
  EXPECT_EQ(Out(dsi, dct), Out(IDs{9, 0, 0}, IDs{3, 3, 0}));
  EXPECT_EQ(set.LoadDSI(dsi, dct, nullptr, 2), 1);
  EXPECT_EQ(Out(dsi, dct), Out(IDs{0, 2, 4, 6}, IDs{2, 2, 2, 2}));
  EXPECT_EQ(set.LoadDSI(dsi, dct, &ids, 0), 0);
  EXPECT_EQ(CPostUnitEntityCompDSet(pvk::LOC_NODE, 1).LoadDSI(dsi, dct, &ids, 1), 0);

  // One key of case data: the rows of the entities its component returns.
  CPostUnitEntityCaseDataDSet caseData(pvk::LOC_NODE, 1);
  FakeCaseDataLoader loader;
  loader.m_aIds = {4, 2};
  loader.m_nPer = 5;
  caseData.AddDComp(1)->SetDataLoader(&loader);
  EXPECT_EQ(caseData.LoadUnitDSI(8, dsi, dct, &ids), 1);
  EXPECT_EQ(loader.m_call.m_nKey, 8);
  EXPECT_EQ(Out(dsi, dct), Out(IDs{5, 0, 0}, IDs{5, 0, 0}));
}

}  // namespace
