#include <gtest/gtest.h>

#include "POHTestNodes.h"
#include "session/POHMcas.h"
#include "session/POHScas.h"
#include "session/POHVcas.h"

namespace {

TEST(POHNode, EveryNodeClassIsCreatedByNameAndNullUnitIndexIsIgnored) {
  for (const char* name : {"CPOHBase", "CPOHMcas", "CPOHScas", "CPOHVcas"}) {
    std::unique_ptr<CObject> pObject(CRuntimeClass::CreateObject(name));
    const auto* pNode = dynamic_cast<const CPOHBase*>(pObject.get());
    ASSERT_NE(pNode, nullptr) << name;
    EXPECT_STREQ(pNode->GetRuntimeClass()->m_lpszClassName, name);
  }
  CPOHMcas mcas;
  const zar::lib::T_UNIT_INDEX units{3, 2, 1, 0, 3};
  mcas.SetUnitIndex(&units);
  mcas.SetUnitIndex(nullptr);
  EXPECT_EQ(*mcas.GetUnitIndex(), units);
}

// Answers the all-values load with a fixed list when called without linker and id list.
class FakeKeyLoader : public IPostDataUnitResultLoader<std::int32_t> {
public:
  int LoadData(zar::MArray<std::int32_t>&, const zar::MArray<std::uint64_t>&,
               IPreDBLinker*) override {
    return 0;
  }
  int LoadData(zar::MArray<std::int32_t>&, zar::MArray<std::uint64_t>&, IPreDBLinker*,
               zar::MArray<std::int32_t>*) override {
    return 0;
  }
  int LoadData(zar::MArray<std::int32_t>& out, IPreDBLinker* linker,
               zar::MArray<std::int32_t>* ids) override {
    out = {4, 5, 6};
    return linker == nullptr && ids == nullptr ? 7 : -1;
  }
  std::int32_t GetDataCount() const override { return 3; }
};

TEST(POHNode, SubCaseLoadsElementKeysThroughItsLoaders) {
  CPOHScas scas;
  FakeKeyLoader active;
  scas.SetActElemIDListLoader(&active);
  EXPECT_EQ(scas.HasActElemKey() + scas.HasDectElemKey() + scas.HasElemKeyOnMcas(), 1);
  zar::MArray<std::int32_t> keys{1};
  EXPECT_EQ(scas.LoadDectElemKey(keys) + scas.LoadElemKeyOnMcas(keys), 0);
  EXPECT_EQ(keys, zar::MArray<std::int32_t>{1});
  EXPECT_EQ(scas.LoadActElemKey(keys), 7);
  EXPECT_EQ(keys, (zar::MArray<std::int32_t>{4, 5, 6}));
}

class StepTest : public ::testing::Test {
protected:
  CPOHVcas* AddStep(const wchar_t* name, int hasStep) {
    scasItr = AddNode(session, 1, L"sub", 0);
    static_cast<CPOHScas*>(session.GetPOHPool(1)->GetAt(scasItr))->SetHasStep(hasStep);
    CPOHPoolBase* pSteps = session.GetPOHPool(2);
    return static_cast<CPOHVcas*>(pSteps->GetAt(AddNode(session, 2, name, scasItr)));
  }

  CQVEPOHSession session;
  std::uint64_t scasItr = 0;
};

// The value name only for real steps; a step outliving its sub-case is no step.
TEST_F(StepTest, ValueNameAndStepOnlyForRealSteps) {
  EXPECT_EQ(AddStep(L"Time = (0.5)", 1)->GetStepValueName(), CString(L" 0.5"));
  EXPECT_EQ(AddStep(L"a=(b)=c)", 1)->GetStepValueName(), CString(L"c"));
  EXPECT_EQ(AddStep(L"Time = (0.5)", 0)->GetStepValueName(), CString(L"Time = (0.5)"));
  EXPECT_EQ(AddStep(L"=(1)", 1)->GetStepValueName(), CString(L"=(1)"));
  const CPOHVcas* pStep = AddStep(L"s", 1);
  EXPECT_EQ(pStep->IsStep(), 1);
  session.GetPOHPool(1)->Remove(scasItr);
  EXPECT_EQ(pStep->IsStep(), 0);
  EXPECT_EQ(CPOHVcas().IsStep(), 0);  // in no pool
}

}  // namespace
