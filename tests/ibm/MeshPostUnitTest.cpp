#include <gtest/gtest.h>

#include <vector>

#include "ibm/MeshPostUnit.h"

namespace {

using Ids = std::vector<std::int32_t>;

// Body 7 with nodes 1 to 4 and element 1; body 8 sharing node 4, with nodes 4, 9 and
// elements 2, 3; facets of body 8 and of body 5, which has no body set.
void Fill(CMPUPost& mpu) {
  TMPUBodySet* a = mpu.MakeBodySet();
  a->m_nBodyID = 7;
  a->m_aNodeID = {1, 2, 3, 4};
  a->m_aElemID = {1};
  a->m_pBndrD = mpu.MakeBndrD();
  TMPUBodySet* b = mpu.MakeBodySet();
  b->m_nBodyID = 8;
  b->m_aNodeID = {4, 9};
  b->m_aElemID = {3, 2};
  mpu.SetFacetNodeData({1, 2, 3}, {{{0, 0, 0}}, {{1, 0, 0}}, {{0, 1, 0}}});
  mpu.SetFacetElemData({11, 12}, {1, 2}, {8, 5}, {1, 2, 3, 3, 2, 1});
}

TEST(MeshPostUnit, CompileVolumeNumbersEachIdOnceInBodySetOrder) {
  CMPUPost mpu;
  Fill(mpu);
  EXPECT_EQ(mpu.CompileVolume(nullptr), 1);
  const CMPUBody& body = mpu.GetBody();
  EXPECT_EQ((Ids{body.GetNodeSize(), body.FindNodeIndex(4), body.FindNodeIndex(9),
                 body.GetNodeID(4), body.FindNodeIndex(5), body.GetNodeID(5)}),
            (Ids{5, 3, 4, 9, -1, -1}));
  EXPECT_EQ((Ids{body.GetElemSize(), body.FindElemIndex(3), body.GetElemID(2)}), (Ids{3, 1, 2}));
}

TEST(MeshPostUnit, BodiesAreBodySetsThenFacetOnlyBodies) {
  CMPUPost mpu;
  Fill(mpu);
  EXPECT_EQ(mpu.RebuildMPU(nullptr), 1);
  EXPECT_EQ((Ids{mpu.GetBodyCount(), mpu.FindBodyIndex(8), mpu.FindBodyIndex(5), mpu.GetBodyID(0)}),
            (Ids{3, 1, 2, 7}));

  CMPUData display;
  display.SetCount(3);
  EXPECT_TRUE(mpu.IsBodyShowingResult(2, &display));
  EXPECT_FALSE(mpu.IsBodyShowingResult(2, nullptr));
  display.SetShowResult(2, false);
  EXPECT_FALSE(mpu.IsBodyShowingResult(2, &display));
  mpu.SetBodyShown(1, false);
  EXPECT_FALSE(mpu.IsBodyShowingResult(1, &display));
  EXPECT_TRUE(mpu.IsBodyShowingResult(0, &display));
  display.SetCount(1);
  EXPECT_FALSE(display.IsShowResult(1));
  EXPECT_FALSE(mpu.IsBodyShown(3));
}

TEST(MeshPostUnit, ClearEmptiesWhatTheRecordsAndCompilesFilled) {
  CMPUPost mpu;
  Fill(mpu);
  const TMPUFatD* fat = mpu.MakeFatD();
  EXPECT_EQ(mpu.GetFatDList().front().get(), fat);
  EXPECT_EQ(mpu.GetBndrDList().front().get(), mpu.GetBodySets().front()->m_pBndrD);
  mpu.MakeFatMatD();
  mpu.MakeMatD();
  mpu.GetOptimizeD() = {4, 5};
  mpu.GetPCBD() = {1001};
  mpu.SetVolumeData({0, 1, 1}, {1});
  mpu.RebuildMPU(nullptr);

  mpu.Clear();
  EXPECT_TRUE(mpu.GetBndrDList().empty() && mpu.GetFatDList().empty() &&
              mpu.GetFatMatDList().empty() && mpu.GetMatDList().empty());
  EXPECT_TRUE(mpu.GetBodySets().empty() && mpu.GetOptimizeD().empty() && mpu.GetPCBD().empty());
  EXPECT_EQ((Ids{mpu.GetBody().GetNodeSize(), mpu.GetFacet().GetFacetSize(), mpu.GetBodyCount()}),
            (Ids{0, 0, 0}));

  // The copied-in data survive for the compiles that follow a clear.
  EXPECT_EQ(mpu.GetGridNodeFlags().size(), 3u);
  EXPECT_EQ(mpu.GetCellFlags().size(), 1u);
  EXPECT_EQ(mpu.CompileVolume(nullptr), 1);
  EXPECT_EQ(mpu.CompileFacet(), 1);
  EXPECT_EQ(mpu.GetFacet().FindFacetIndex(12), 1);
  EXPECT_EQ(mpu.GetBodyCount(), 2);
}

}  // namespace
