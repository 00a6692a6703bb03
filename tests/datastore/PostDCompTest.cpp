#include <gtest/gtest.h>

#include "datastore/FakeDataLoaders.h"
#include "datastore/PostDSetEntityCaseData.h"
#include "datastore/PostDSetEntityCaseInfo.h"
#include "datastore/PostDSetEntityComp.h"
#include "datastore/PostDSetModelResult.h"
#include "session/MemModelDB.h"

namespace {

using IDs = zar::MArray<std::int32_t>;

std::unique_ptr<CPostDSet> NewSet(std::int32_t type) {
  if (type == 0) return std::make_unique<CPostUnitModelResultDSet>(pvk::LOC_NODE, 1);
  if (type == 1) return std::make_unique<CPostUnitEntityCompDSet>(pvk::LOC_NODE, 1);
  if (type == 2) return std::make_unique<CPostUnitEntityCaseInfoDSet>(pvk::LOC_NODE, 1);
  return std::make_unique<CPostUnitEntityCaseDataDSet>(pvk::LOC_NODE, 1);
}

TEST(PostDComp, LoadsForwardToTheLoaderAndAnswerWhatItAnswers) {
  CPostUnitModelResultDComp model(1);
  zar::MArray<double> values{3.0};
  EXPECT_EQ(model.Load(values, nullptr, nullptr), 0);  // no loader
  EXPECT_EQ(values, zar::MArray<double>{3.0});
  FakeResultLoader<double> good({1.5, 2.5}), failing({9.0}, 0);
  FakeCompLoader compLoader;
  EXPECT_EQ(model.SetDataLoader(&compLoader), 0);  // a loader of another component class
  EXPECT_EQ(model.SetDataLoader(&good), 1);
  EXPECT_EQ(model.Load(values, nullptr, nullptr), 1);
  EXPECT_EQ(values, (zar::MArray<double>{1.5, 2.5}));
  model.SetDataLoader(&failing);
  EXPECT_EQ(model.Load(values, nullptr, nullptr), 0);

  // The case slots pass entity and keys on in the loader's order.
  const IDs keys{4, 5};
  IDs ids;
  unsigned n = 0;
  zar::MArray<unsigned int> info;
  FakeCaseInfoLoader infoLoader;
  CPostUnitEntityCaseInfoDComp infoComp(1);
  EXPECT_EQ(infoComp.LoadUnitData(&keys, 33, n, n, n, info), 0);  // no loader
  infoComp.SetDataLoader(&infoLoader);
  EXPECT_EQ(infoComp.LoadUnitData(&keys, 33, n, n, n, info), 1);
  EXPECT_EQ(infoLoader.m_call, (FakeEntityCall{2, 0, 33, &keys}));
  infoLoader.m_nAnswer = 0;
  EXPECT_EQ(infoComp.LoadData(&keys, ids, n, n, n, info), 0);
  EXPECT_EQ(infoLoader.m_call, (FakeEntityCall{3, 0, 0, &keys}));

  FakeCaseDataLoader dataLoader;
  CPostUnitEntityCaseDataDComp dataComp(1);
  EXPECT_EQ(dataComp.LoadUnitData(6, 45, &n, ids, values), 0);  // no loader
  dataComp.SetDataLoader(&dataLoader);
  EXPECT_EQ(dataComp.LoadUnitData(&keys, 44, ids, n, values), 1);
  EXPECT_EQ(dataLoader.m_call, (FakeEntityCall{2, 0, 44, &keys}));
  EXPECT_EQ(dataComp.LoadUnitData(6, 45, &n, ids, values), 1);
  EXPECT_EQ(dataLoader.m_call, (FakeEntityCall{3, 6, 45, nullptr}));
  EXPECT_EQ(CPostUnitEntityCompDComp(1).LoadData(&keys, ids, info, values), 0);  // no loader
}

TEST(MakeCacheFileLoader, OnceForEachComponentClassAndOnlyFromAMatchingSource) {
  TFileDataInfo block{nullptr, 16, 2};
  for (std::int32_t type = 0; type < 4; ++type) {
    auto set = NewSet(type);
    auto other = NewSet((type + 1) % 4);
    CPostDComp* comp = set->AddDComp(3);
    CPostDComp* source = set->AddDComp(3);
    for (auto [from, info] : {std::pair{set->AddDComp(4), &block},
                              {other->AddDComp(3), &block},
                              {nullptr, &block},
                              {source, nullptr}})
      EXPECT_EQ(comp->MakeCacheFileLoader(from, info), nullptr);
    EXPECT_EQ(comp->GetCacheFileInfo(), nullptr);

    ICacheFileInfo* cache = comp->MakeCacheFileLoader(source, &block);
    ASSERT_NE(cache, nullptr);
    EXPECT_EQ(comp->GetCacheFileInfo(), cache);
    EXPECT_EQ(cache->GetFileInfo().m_nOffset, 16u);
    EXPECT_EQ(comp->GetDataLoader().index(), static_cast<std::size_t>(type) + 1);
    EXPECT_EQ(comp->MakeCacheFileLoader(source, &block), nullptr);
    EXPECT_EQ(comp->GetCacheFileInfo(), cache);
  }
}

TEST(MakeCacheFileLoader, ModelResultComponentsKeepTheLayoutTheSourceReports) {
  TFileDataInfo block{nullptr, 8, 2};
  CPostUnitModelResultDSet set(pvk::LOC_ELEM_CORNER, 1);
  FakeResultLoader<double> record;
  record.m_info = pvk::TVResDInfo{{1, 2, 3}};
  auto* source = static_cast<CPostUnitModelResultDComp*>(set.AddDComp(2));
  source->SetDataLoader(&record);
  auto* cached = static_cast<CPostUnitModelResultDComp*>(set.AddDComp(2));
  ASSERT_NE(cached->MakeCacheFileLoader(source, &block), nullptr);
  pvk::TVResDInfo info;
  ASSERT_EQ(cached->GetLoader()->GetDataInfo(&info), 1);
  EXPECT_EQ(info, *record.m_info);
  zar::MArray<double> values;
  EXPECT_EQ(cached->Load(values, nullptr, nullptr), 0);  // the loader's answer: no file

  auto* bare = static_cast<CPostUnitModelResultDComp*>(set.AddDComp(2));
  auto* noInfo = static_cast<CPostUnitModelResultDComp*>(set.AddDComp(2));
  ASSERT_NE(noInfo->MakeCacheFileLoader(bare, &block), nullptr);
  EXPECT_EQ(noInfo->GetLoader()->GetDataInfo(&info), 0);
}

TEST(PostDSet, TransfersCopyDescriptionsButNeitherComponentsNorComponentLoaders) {
  FakeResultLoader<std::int32_t> keyLoader;
  auto csys = std::make_shared<FakeResultLoader<pvk::TElemOutCsys_d>>();
  CPostUnitModelResultDSet model(pvk::LOC_ELEM, 1), modelTarget(pvk::LOC_ELEM, 2);
  model.SetDataLoaderKey(&keyLoader);
  model.SetElemCSysLoader(csys);
  model.AddDComp(1);
  EXPECT_EQ(model.TransWithoutDComp(&modelTarget), 1);
  EXPECT_EQ(modelTarget.GetDataLoaderKey(), &keyLoader);
  EXPECT_EQ(modelTarget.GetElemCSysLoader(), csys);
  EXPECT_TRUE(modelTarget.GetDCompList().empty());

  CPostUnitEntityCaseDataDSet data(pvk::LOC_NODE, 1), dataTarget(pvk::LOC_NODE, 1);
  CPostUnitEntityCompDSet wrongType(pvk::LOC_NODE, 1);
  data.SetDataLoaderCaseID(&keyLoader);
  data.SetCompList({7, 8});
  EXPECT_EQ(data.TransWithoutDComp(&wrongType), 0);
  EXPECT_EQ(model.TransWithoutDComp(&dataTarget), 0);
  EXPECT_EQ(data.TransWithoutDComp(&dataTarget), 1);
  EXPECT_EQ(dataTarget.GetDataLoaderCaseID(), &keyLoader);
  EXPECT_EQ(dataTarget.GetCompList(), data.GetCompList());

  // Components: the offset index and component list travel, the loader does not, and the
  // target keeps pointing at its own set's list.
  FakeCaseDataLoader loader;
  auto* from = static_cast<CPostUnitEntityCaseDataDComp*>(data.AddDComp(9));
  from->SetDataLoader(&loader);
  from->SetResIDOffsetIndex(4);
  data.SetCompList({1, 2, 3});
  auto* to = static_cast<CPostUnitEntityCaseDataDComp*>(dataTarget.AddDComp(9));
  EXPECT_EQ(from->TransWithoutLoader(wrongType.AddDComp(9)), 0);
  EXPECT_EQ(from->TransWithoutLoader(to), 1);
  EXPECT_EQ(to->GetResIDOffsetIndex(), 4);
  EXPECT_EQ(to->GetLoader(), nullptr);
  EXPECT_EQ(to->GetCompList(), &dataTarget.GetCompList());
  EXPECT_EQ(dataTarget.GetCompList(), (zar::MArray<unsigned int>{1, 2, 3}));
}

// Nodes 1 and 2 exist; id 3 does not.
class EntityLoads : public ::testing::Test {
protected:
  void SetUp() override {
    m_n1 = m_db.AddNode(1, 0, 0, 0);
    m_n2 = m_db.AddNode(2, 0, 0, 0);
  }
  CMemModelDB m_db;
  std::uint64_t m_n1 = 0, m_n2 = 0;
};

TEST_F(EntityLoads, CompSetFindsTheModelObjectsOfTheReturnedIds) {
  CPostUnitEntityCompDSet set(pvk::LOC_NODE, 1);
  zar::MArray<std::uint64_t> itrs{5};
  IDs ids, keys{1};
  zar::MArray<unsigned int> comps;
  zar::MArray<double> values;
  EXPECT_EQ(set.LoadData(&m_db, &keys, itrs, ids, comps, values), 0);
  FakeCompLoader loader;
  loader.m_aIds = {2, 3, 1};
  set.AddDComp(1)->SetDataLoader(&loader);
  EXPECT_EQ(set.LoadData(&m_db, &keys, itrs, ids, comps, values), 1);
  EXPECT_EQ(loader.m_call.m_pKeys, &keys);
  EXPECT_EQ(ids, (IDs{2, 3, 1}));
  EXPECT_EQ(itrs, (zar::MArray<std::uint64_t>{m_n2, m_n1}));
  EXPECT_EQ(set.LoadData(nullptr, &keys, itrs, ids, comps, values), 1);
  EXPECT_TRUE(itrs.empty());
  loader.m_nAnswer = 0;
  EXPECT_EQ(set.LoadData(&m_db, &keys, itrs, ids, comps, values), 0);
}

// The case data set finds its entity through the same lookup as the case information set.
TEST_F(EntityLoads, CaseInfoSetAnswersForOneEntityOnlyWhenTheModelHasIt) {
  struct TCase {
    pvk::LOC_TYPE m_nLoc;
    IPreDBLinker* m_pLink;
    std::int32_t m_nId;
    bool m_bFound;
  };
  const TCase cases[] = {{pvk::LOC_NODE, &m_db, 2, true},
                         {pvk::LOC_NODE, &m_db, 3, false},
                         {pvk::LOC_NODE, nullptr, 2, false},
                         {pvk::LOC_FACET, &m_db, 2, false},
                         {pvk::LOC_ELEM, &m_db, 2, false}};
  const IDs keys{1};
  for (const TCase& c : cases) {
    CPostUnitEntityCaseInfoDSet info(c.m_nLoc, 1);
    FakeCaseInfoLoader infoLoader;
    info.AddDComp(1)->SetDataLoader(&infoLoader);
    std::uint64_t dbItr = 5;
    unsigned n = 0;
    zar::MArray<unsigned int> infoValues;
    EXPECT_EQ(info.LoadUnitData(c.m_pLink, c.m_nId, dbItr, &keys, n, n, n, infoValues),
              c.m_bFound ? 1 : 0);
    EXPECT_EQ(dbItr, c.m_bFound ? m_n2 : 0u);
    EXPECT_EQ(infoLoader.m_call.m_nEntity, c.m_bFound ? c.m_nId : 0);
  }
}

}  // namespace
