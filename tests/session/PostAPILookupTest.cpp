#include <gtest/gtest.h>

#include "POHTestNodes.h"
#include "ibm/MeshPostUnit.h"
#include "session/MemModelDB.h"
#include "session/POHScas.h"
#include "session/POHVcas.h"
#include "session/PostAPI.h"
#include "session/QVEPOHSession.h"
#include "vresult/VResult.h"
#include "vresult/VResultFactoryManager.h"

namespace {

// The host's facade with its own operations doing nothing.
class CHostPostAPI : public IPostAPI {
public:
  void OnHostReserved1() override {}
  void OnHostReserved2() override {}
  void OnHostReserved3() override {}
  void OnHostReserved4() override {}
  void OnHostReserved5() override {}
  void OnHostReserved6() override {}
  void OnHostReserved7() override {}
};

// One result file with one sub-case of three steps, and a second sub-case holding one state
// that is not a step (its has-step flag stays 0); they hold registered results created by id.
class PostAPILookup : public ::testing::Test {
protected:
  void SetUp() override {
    const std::uint64_t mcas = session.GetPOHPool(0)->Add();
    scas = AddNode(session, 1, L"", mcas);
    otherScas = AddNode(session, 1, L"", mcas);
    static_cast<CPOHScas*>(session.GetPOHPool(1)->GetAt(scas))->SetHasStep(1);
    for (int i = 0; i < 3; ++i) steps.push_back(AddNode(session, 2, L"", scas));
    otherStep = AddNode(session, 2, L"", otherScas);
  }
  CVResult* AddResult(std::uint64_t vcas, std::int32_t id, pvk::LOC_TYPE locType) {
    std::unique_ptr<CVResult> result =
        CVResultFactoryManager::GetInstance().GetVResultFactory(0)->CreateVResult(id);
    if (!result) return nullptr;
    result->SetLocType(locType);
    result->SetParent(vcas);
    result->SetPOHSession(&session);
    CVResult* raw = result.get();
    auto* step = static_cast<CPOHVcas*>(session.GetPOHPool(2)->GetAt(vcas));
    return step->GetPackage()->Insert(result) ? raw : nullptr;
  }

  CQVEPOHSession session;
  std::uint64_t scas = 0, otherScas = 0, otherStep = 0;
  std::vector<std::uint64_t> steps;
};

TEST_F(PostAPILookup, MultiSetCollectsTheResultOverTheStepsOfTheSubCase) {
  CVResult* first = AddResult(steps[0], 201, pvk::LOC_NODE);
  CVResult* last = AddResult(steps[2], 201, pvk::LOC_NODE);
  ASSERT_TRUE(first && last);
  // Neither the same id at another location type nor the other sub-case count.
  ASSERT_TRUE(AddResult(steps[1], 201, pvk::LOC_ELEM));
  ASSERT_TRUE(AddResult(otherStep, 201, pvk::LOC_NODE));

  zar::MArray<CVResult*> out = {nullptr};
  std::int32_t index = -1;
  ASSERT_EQ(IPostAPI::FindMultiSetVResults(&session, last, out, index), 1);
  EXPECT_EQ(out, (zar::MArray<CVResult*>{first, last}));
  EXPECT_EQ(index, 1);
  // Without a session the result's own one is used.
  ASSERT_EQ(IPostAPI::FindMultiSetVResults(nullptr, first, out, index), 1);
  EXPECT_EQ(out.size(), 2u);
  EXPECT_EQ(index, 0);
}

TEST_F(PostAPILookup, MultiSetFailsWithoutAResultALiveStepOrASubCaseWithSteps) {
  zar::MArray<CVResult*> out = {nullptr};
  std::int32_t index = 5;
  EXPECT_EQ(IPostAPI::FindMultiSetVResults(&session, nullptr, out, index), 0);
  EXPECT_TRUE(out.empty());
  EXPECT_EQ(index, 0);
  CVResult* noStep = AddResult(otherStep, 201, pvk::LOC_NODE);
  ASSERT_TRUE(noStep);
  EXPECT_EQ(IPostAPI::FindMultiSetVResults(&session, noStep, out, index), 0);
  EXPECT_TRUE(out.empty());

  CVResult* result = AddResult(steps[1], 201, pvk::LOC_NODE);
  ASSERT_TRUE(result);
  session.GetPOHPool(1)->Remove(scas);  // the step is left without its sub-case
  EXPECT_EQ(IPostAPI::FindMultiSetVResults(&session, result, out, index), 0);
  result->SetParent(0);
  EXPECT_EQ(IPostAPI::FindMultiSetVResults(&session, result, out, index), 0);
  EXPECT_TRUE(out.empty());
}

// The host's facade is the instance while it lives.
TEST_F(PostAPILookup, DeformResultIsTheDisplacementOfTheSameStepAndLocation) {
  EXPECT_EQ(IPostAPI::Instance(), nullptr);
  auto owned = std::make_unique<CHostPostAPI>();
  CHostPostAPI& api = *owned;
  EXPECT_EQ(IPostAPI::Instance(), &api);
  CVResult* velocity = AddResult(steps[0], 201, pvk::LOC_NODE);
  CVResult* velocityOnElem = AddResult(steps[0], 201, pvk::LOC_ELEM);
  CVResult* displacement = AddResult(steps[0], 101, pvk::LOC_NODE);
  ASSERT_TRUE(velocity && velocityOnElem && displacement);
  ASSERT_TRUE(AddResult(steps[1], 101, pvk::LOC_ELEM));
  EXPECT_EQ(api.GetDeformResult(velocity), displacement);
  EXPECT_EQ(api.GetDeformResult(velocityOnElem), nullptr);
  EXPECT_EQ(api.GetDeformResult(nullptr), nullptr);
  velocity->SetPOHSession(nullptr);
  EXPECT_EQ(api.GetDeformResult(velocity), nullptr);
  owned.reset();
  EXPECT_EQ(IPostAPI::Instance(), nullptr);
}

TEST(PostAPIEntityCount, CountsOfTheModelAndOfTheMeshPostUnit) {
  CMemModelDB db;
  for (std::int32_t id = 1; id <= 3; ++id) db.AddNode(id, id, 0, 0);
  db.AddElement(12, 4, {1, 2, 3});
  CMPUPost mpu;
  TMPUBodySet* body = mpu.MakeBodySet();
  body->m_aNodeID = {1, 2, 3, 4, 5};
  mpu.SetFacetNodeData({1, 2, 3}, {{{0, 0, 0}}, {{1, 0, 0}}, {{0, 1, 0}}});
  mpu.SetFacetElemData({11, 12}, {1, 1}, {1, 1}, {1, 2, 3, 3, 2, 1});
  ASSERT_EQ(mpu.RebuildMPU(nullptr), 1);

  // Location types 0 to 8: model counts, then mesh post unit counts.
  const std::vector<std::int32_t> model = {0, 0, 1, 1, 1, 0, 3, 0, 0};
  const std::vector<std::int32_t> unit = {0, 2, 0, 0, 0, 0, 5, 5, 0};
  for (std::int32_t loc = 0; loc <= 8; ++loc) {
    const auto locType = static_cast<pvk::LOC_TYPE>(loc);
    EXPECT_EQ(IPostAPI::GetGlobalDSICount(locType, &db), model[loc]) << loc;
    EXPECT_EQ(IPostAPI::GetGlobalDSICount(locType, &mpu), unit[loc]) << loc;
    EXPECT_EQ(IPostAPI::GetGlobalDSICount(locType, static_cast<const IPreDBLinker*>(nullptr)), 0);
    EXPECT_EQ(IPostAPI::GetGlobalDSICount(locType, static_cast<const CMPUPost*>(nullptr)), 0);
  }
}

}  // namespace
