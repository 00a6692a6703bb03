#include <gtest/gtest.h>

#include "datastore/PostDSetContainer.h"
#include "datastore/PostDSetModelResult.h"

namespace {

using IDs = std::vector<std::int32_t>;
using AddFn = CPostDSet* (CPostDSetContainer::*)(pvk::LOC_TYPE, const std::int32_t&);

struct TDSetKind {
  AddFn m_fnAdd;
  pvk::E_POST_DSET_TYPE m_nType;
};

const TDSetKind kKinds[] = {
    {&CPostDSetContainer::AddUnitResultDSet, pvk::POST_DSET_UNIT_MODEL_RESULT},
    {&CPostDSetContainer::AddUnitEntityCompDSet, pvk::POST_DSET_UNIT_ENTITY_COMP},
    {&CPostDSetContainer::AddUnitEntityCaseInfoDSet, pvk::POST_DSET_UNIT_ENTITY_CASE_INFO},
    {&CPostDSetContainer::AddUnitEntityCaseDataDSet, pvk::POST_DSET_UNIT_ENTITY_CASE_DATA},
};

std::vector<CPostDSet*> Listed(const zar::MList<CPostDSet*>& list) {
  return {list.begin(), list.end()};
}

// A data set of a kind the container does not know.
class ForeignDSet : public CPostUnitModelResultDSet {
public:
  using CPostUnitModelResultDSet::CPostUnitModelResultDSet;
  pvk::E_POST_DSET_TYPE GetDSetType() const override { return pvk::E_POST_DSET_TYPE{7}; }
};

TEST(PostDSetContainer, CategoryIndexListsSetsOfOneTypeInTheOrderAdded) {
  CPostDSetContainer box;
  CPostDSet* a = box.AddUnitResultDSet(pvk::LOC_NODE, 20);
  box.AddUnitEntityCompDSet(pvk::LOC_NODE, 20);
  box.AddUnitResultDSet(pvk::LOC_ELEM, 21);
  CPostDSet* d = box.AddUnitResultDSet(pvk::LOC_ELEM, 20);

  zar::MList<CPostDSet*> out;
  out.push_back(a);  // an old entry that must go
  EXPECT_EQ(box.GetDSetListBylResCatType(pvk::POST_DSET_UNIT_MODEL_RESULT, 20, out), 2);
  EXPECT_EQ(Listed(out), (std::vector<CPostDSet*>{a, d}));
  EXPECT_EQ(box.GetDSetListBylResCatType(pvk::POST_DSET_UNIT_MODEL_RESULT, 99, out), 0);
  EXPECT_TRUE(out.empty());
  EXPECT_EQ(box.GetDSetList().size(), 4u);

  EXPECT_EQ(box.RemoveDSet(a), 1);
  EXPECT_EQ(box.RemoveDSet(a), 0);
  EXPECT_EQ(box.ExistDSet(a), 0);
  EXPECT_EQ(box.GetDSetListBylResCatType(pvk::POST_DSET_UNIT_MODEL_RESULT, 20, out), 1);
  EXPECT_EQ(Listed(out), std::vector<CPostDSet*>{d});
  box.Clear();
  EXPECT_TRUE(box.GetDSetList().empty());
  EXPECT_EQ(box.GetDSetListBylResCatType(pvk::POST_DSET_UNIT_MODEL_RESULT, 20, out), 0);
}

TEST(PostDSetContainer, CombinedSetsTakeTheSourceTypeAndAreRecorded) {
  for (const TDSetKind& kind : kKinds) {
    CPostDSetContainer box;
    CPostDSet* source = (box.*kind.m_fnAdd)(pvk::LOC_ELEM, 5);
    CPostDSet* comb = box.AddCombDSet(source, pvk::LOC_NODE, 6);
    ASSERT_NE(comb, nullptr);
    EXPECT_EQ((IDs{source->GetDSetType(), source->GetLOCType(), source->GetResCatType()}),
              (IDs{kind.m_nType, pvk::LOC_ELEM, 5}));
    EXPECT_EQ((IDs{comb->GetDSetType(), comb->GetLOCType(), comb->GetResCatType()}),
              (IDs{kind.m_nType, pvk::LOC_NODE, 6}));
    EXPECT_EQ(box.ExistDSet(comb), 1);
    CPostDSet* found = nullptr;
    EXPECT_EQ(box.ExistCombDSet(source, found), 1);
    EXPECT_EQ(found, comb);
    EXPECT_EQ(box.ExistCombDSet(comb, found), 0);

    // Removing either end drops the record, so no removed set is ever handed out.
    EXPECT_EQ(box.RemoveDSet(comb), 1);
    EXPECT_EQ(box.ExistCombDSet(source, found), 0);
  }
}

// Unknown or null sources yield no combined set; removed components leave no combination.
TEST(PostDSetContainer, RemovedComponentsAndUnknownSourcesLeaveNoCombination) {
  CPostDSetContainer box;
  ForeignDSet foreign(pvk::LOC_NODE, 1);
  EXPECT_EQ(box.AddCombDSet(&foreign, pvk::LOC_NODE, 1), nullptr);
  CPostDSet* foundSet = &foreign;
  EXPECT_EQ(box.ExistCombDSet(&foreign, foundSet), 1);
  EXPECT_EQ(foundSet, nullptr);
  EXPECT_EQ(box.AddCombDSet(nullptr, pvk::LOC_NODE, 1), nullptr);
  EXPECT_EQ(box.ExistCombDSet(nullptr, foundSet), 0);
  EXPECT_TRUE(box.GetDSetList().empty());
  CPostDSet* a = box.AddUnitResultDSet(pvk::LOC_NODE, 1);
  CPostDSet* b = box.AddUnitResultDSet(pvk::LOC_NODE, 1);
  CPostDComp* a5 = a->AddDComp(5);
  a->AddDComp(5);
  a->AddDComp(6);
  CPostDComp* b5 = b->AddCombDComp(a5);
  CPostDComp* found = nullptr;
  ASSERT_EQ(b->ExistCombDComp(a5, found), 1);
  EXPECT_EQ(found, b5);
  EXPECT_EQ(b5->GetCompType(), 5);

  EXPECT_EQ(box.RemoveDComp4AllDSet(5), 3);
  EXPECT_EQ(a->GetDComp(5), nullptr);
  EXPECT_EQ(b->GetDComp(5), nullptr);
  EXPECT_NE(a->GetDComp(6), nullptr);
  EXPECT_EQ(b->ExistCombDComp(a5, found), 0);

  // The same when the source's whole set goes.
  CPostDComp* a6 = a->GetDComp(6);
  b->AddCombDComp(a6);
  EXPECT_EQ(box.RemoveDSet(a), 1);
  EXPECT_EQ(b->ExistCombDComp(a6, found), 0);
  EXPECT_EQ(box.RemoveDComp4AllDSet(6), 1);
}

}  // namespace
