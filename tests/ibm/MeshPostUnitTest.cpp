#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ibm/MeshPostUnit.h"
#include "support/MsgCapture.h"

namespace {

using Ids = std::vector<std::int32_t>;
using Vec = zar::MVector<double, 3>;

// Two grids, neither fully flagged.
// A: part 11, linear cells, 3 x 2 x 2 points from id 1, unit steps at the origin. Of its two
//    cells only the first is flagged; of the points at x = 2 only (2, 0, 0), id 3.
// B: part 12, quadratic cells, 6 x 5 x 3 points from id 13, steps 0.5 in a frame turned a
//    quarter about z and moved to (10, 0, 0): point (i, j, k) lies at (10 - j/2, i/2, k/2).
//    5 intervals along x make two whole cells and one past the end (its flag is set, as the
//    import may set it); of the four whole cells (ci, cj) = (0, 0), (1, 0), (0, 1) are flagged.
//    Their cells are numbered 2 + ci + 2 cj: element ids 3, 4, 5.
struct CTwoGrids {
  CTwoGrids() {
    TMPUBndrD& a = *m_mpu.MakeBndrD();
    a.m_nElemOrder = 1;
    a.m_nPartID = 11;
    a.m_aNumber = {3, 2, 2};
    a.m_aStep = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
    TMPUBndrD& b = *m_mpu.MakeBndrD();
    b.m_nElemOrder = 2;
    b.m_nAlign = 0;
    b.m_nPartID = 12;
    b.m_nNidStart = 13;
    b.m_aNumber = {6, 5, 3};
    b.m_aStep = {{{0.5, 0, 0}, {0, 0.5, 0}, {0, 0, 0.5}}};
    b.m_aRot = {{{0, 1, 0}, {-1, 0, 0}, {0, 0, 1}}};
    b.m_aOrigin2 = {10, 0, 0};
    m_nodeFlags.assign(103, 0);
    FlagBox(a, {0, 0, 0}, {1, 1, 1});
    m_nodeFlags[3] = 1;
    FlagBox(b, {0, 0, 0}, {4, 2, 2});
    FlagBox(b, {0, 2, 0}, {2, 4, 2});
    m_cellFlags = {1, 0, 1, 1, 1, 1, 0, 0};
    TMPUFatD& fat = *m_mpu.MakeFatD();
    fat.m_nPartID = 12;
    fat.m_nMatID = 7;
    m_mpu.MakeFatMatD()->m_nMatID = 6;
    m_mpu.MakeFatMatD()->m_nMatID = 7;
    m_mpu.MakeMatD()->m_nPartID = 11;
  }

  void FlagBox(const TMPUBndrD& g, std::array<int, 3> lo, std::array<int, 3> hi) {
    for (int k = lo[2]; k <= hi[2]; ++k)
      for (int j = lo[1]; j <= hi[1]; ++j)
        for (int i = lo[0]; i <= hi[0]; ++i)
          m_nodeFlags[g.m_nNidStart + i + g.m_aNumber[0] * (j + g.m_aNumber[1] * k)] = 1;
  }

  int Compile() {
    m_mpu.SetVolumeData(m_nodeFlags, m_cellFlags);
    return m_mpu.CompileVolume(nullptr);
  }

  Ids ElemNodeIds(std::int32_t elemId) const {
    const CMPUBody& body = m_mpu.GetBody();
    Ids ids;
    for (const std::int32_t n : body.GetElemNodes(body.FindElemIndex(elemId)))
      ids.push_back(body.GetNodeID(n));
    return ids;
  }

  CMPUPost m_mpu;
  zar::MArray<char> m_nodeFlags, m_cellFlags;
};

class MeshPostUnit : public ::testing::Test, protected CTwoGrids {};

TEST_F(MeshPostUnit, CompileVolumeMeshesTheFlaggedNodesAndCells) {
  ASSERT_EQ(Compile(), 1) << m_mpu.GetVolumeReason().str();
  EXPECT_TRUE(m_mpu.GetVolumeReason().IsEmpty());
  const CMPUBody& body = m_mpu.GetBody();
  // A: 8 corners of its cell and node 3; B: 45 points of the two cells along x, 27 of the
  // third, 9 shared.
  EXPECT_EQ((Ids{body.GetNodeSize(), body.GetElemSize()}), (Ids{72, 4}));
  EXPECT_EQ(
      (Ids{body.FindNodeIndex(3), body.FindNodeIndex(6), body.FindNodeIndex(13), body.GetElemID(1),
           body.FindElemIndex(2), body.FindCellElemIndex(4), body.FindCellElemIndex(5)}),
      (Ids{2, -1, 9, 3, -1, 3, -1}));
  EXPECT_EQ(ElemNodeIds(1), (Ids{1, 2, 5, 4, 7, 8, 11, 10}));

  const std::vector<std::pair<std::int32_t, Vec>> positions = {{3, {{2, 0, 0}}},
                                                               {11, {{1, 1, 1}}},
                                                               {13, {{10, 0, 0}}},
                                                               {50, {{9.5, 0.5, 0.5}}},
                                                               {87, {{9, 1, 1}}}};
  for (const auto& [id, pos] : positions)
    EXPECT_EQ(body.GetNodePos(body.FindNodeIndex(id)), pos) << id;
  // Node 3 has no cell, 51 is on the face between B's first two cells, 57 on the edge of
  // all three.
  const std::vector<std::pair<std::int32_t, Ids>> nodeElems = {
      {3, {}}, {1, {1}}, {51, {3, 4}}, {57, {3, 4, 5}}};
  for (const auto& [id, elems] : nodeElems) {
    Ids got;
    for (const std::int32_t e : body.GetNodeElems(body.FindNodeIndex(id)))
      got.push_back(body.GetElemID(e));
    EXPECT_EQ(got, elems) << id;
  }
}

// Each display node lies where its offset in the cell puts it, whatever the grid's frame.
TEST_F(MeshPostUnit, DisplayNodesLieAtTheirCellOffsets) {
  ASSERT_EQ(Compile(), 1);
  const CMPUBody& body = m_mpu.GetBody();
  const TMPUBodyStruct s = body.GetStruct();
  std::int32_t listed = 0;
  for (std::int32_t e = 0; e < s.m_nElemSize; ++e) {
    const std::int32_t* n = s.m_pElemNode + s.m_pElemNodeStart[e];
    const Vec p0 = s.m_pNodePos[n[0]];
    const std::array<Vec, 3> edge = {s.m_pNodePos[n[1]] - p0, s.m_pNodePos[n[3]] - p0,
                                     s.m_pNodePos[n[4]] - p0};
    const std::vector<std::array<double, 3>> offsets = {
        {0, 0, 0},   {1, 0, 0},   {1, 1, 0},   {0, 1, 0},   {0, 0, 1},   {1, 0, 1},   {1, 1, 1},
        {0, 1, 1},   {.5, 0, 0},  {1, .5, 0},  {.5, 1, 0},  {0, .5, 0},  {.5, 0, 1},  {1, .5, 1},
        {.5, 1, 1},  {0, .5, 1},  {0, 0, .5},  {1, 0, .5},  {1, 1, .5},  {0, 1, .5},  {.5, .5, 0},
        {.5, .5, 1}, {.5, 0, .5}, {1, .5, .5}, {.5, 1, .5}, {0, .5, .5}, {.5, .5, .5}};
    ASSERT_TRUE(s.m_pElemNodeCnt[e] == 8 || s.m_pElemNodeCnt[e] == 27);
    for (std::int32_t c = 0; c < s.m_pElemNodeCnt[e]; ++c) {
      const Vec want =
          p0 + edge[0] * offsets[c][0] + edge[1] * offsets[c][1] + edge[2] * offsets[c][2];
      const Vec diff = s.m_pNodePos[n[c]] - want;
      EXPECT_LT(diff.Length(), 1e-12) << "element " << s.m_pElemID[e] << " node " << c;
      const auto elems = body.GetNodeElems(n[c]);
      EXPECT_NE(std::find(elems.begin(), elems.end(), e), elems.end());
      listed += 1;
    }
  }
  std::int32_t attached = 0;
  for (std::int32_t n = 0; n < s.m_nNodeSize; ++n) attached += s.m_pNodeElemCnt[n];
  EXPECT_EQ(attached, listed);
}

TEST_F(MeshPostUnit, BodySetsAreTheGridsWithTheirPartsRecords) {
  ASSERT_EQ(Compile(), 1);
  const auto& sets = m_mpu.GetBodySets();
  ASSERT_EQ(sets.size(), 2u);
  const TMPUBodySet& a = *sets[0];
  const TMPUBodySet& b = *sets[1];
  EXPECT_EQ((Ids{a.m_nBodyID, a.m_nCellStart, static_cast<std::int32_t>(a.m_aNodeID.size()),
                 b.m_nBodyID, b.m_nCellStart, static_cast<std::int32_t>(b.m_aNodeID.size())}),
            (Ids{11, 0, 9, 12, 2, 63}));
  EXPECT_EQ(b.m_aElemID, (zar::MArray<std::int32_t>{3, 4, 5}));
  EXPECT_EQ(a.m_pBndrD, m_mpu.GetBndrDList()[0].get());
  EXPECT_EQ(a.m_pMatD, m_mpu.GetMatDList()[0].get());
  EXPECT_EQ(b.m_pFatMatD, m_mpu.GetFatMatDList()[1].get());
  EXPECT_TRUE(a.m_pFatD == nullptr && a.m_pFatMatD == nullptr && b.m_pMatD == nullptr);
  EXPECT_EQ(b.m_pFatD, m_mpu.GetFatDList()[0].get());
  EXPECT_EQ((Ids{m_mpu.GetBodyCount(), m_mpu.FindBodyIndex(12)}), (Ids{2, 1}));
}

TEST_F(MeshPostUnit, GridsAndFlagsThatDoNotFitGiveNoMeshAndAReason) {
  using Damage = std::function<void(CTwoGrids&)>;
  auto grid = [](CTwoGrids& t, std::size_t g) -> TMPUBndrD& { return *t.m_mpu.GetBndrDList()[g]; };
  const std::vector<std::pair<std::wstring, Damage>> cases = {
      {L"the cell flags hold 7 cells, the grids 8", [](auto& t) { t.m_cellFlags.pop_back(); }},
      {L"grid 2 has a negative point count", [&](auto& t) { grid(t, 1).m_aNumber[1] = -5; }},
      {L"grid 1 has more than 2^31 points",
       [&](auto& t) {
         grid(t, 0).m_aNumber = {1 << 20, 1 << 20, 1 << 20};
       }},
      {L"grid 1 has cell order 3", [&](auto& t) { grid(t, 0).m_nElemOrder = 3; }},
      {L"the node ids of grid 1, from 0, do not fit", [&](auto& t) { grid(t, 0).m_nNidStart = 0; }},
      {L"grid 2 belongs to part 11, which has a grid already",
       [&](auto& t) { grid(t, 1).m_nPartID = 11; }},
      {L"node 5 of grid 2 belongs to an earlier grid",
       [&](auto& t) { grid(t, 1).m_nNidStart = 5; }},
      {L"the cell of element 3 in grid 2 has node 50, which is not flagged",
       [](auto& t) { t.m_nodeFlags[50] = 0; }},
  };
  for (const auto& [why, damage] : cases) {
    CTwoGrids t;
    damage(t);
    CMsgCapture warnings(zar::lib::EMsgLevel::Warning);
    EXPECT_EQ(t.Compile(), 0) << why;
    EXPECT_EQ(t.m_mpu.GetVolumeReason().str(), why);
    EXPECT_EQ(warnings.m_texts.size(), 1u) << why;
    EXPECT_EQ((Ids{t.m_mpu.GetBody().GetNodeSize(), t.m_mpu.GetBody().GetElemSize(),
                   static_cast<std::int32_t>(t.m_mpu.GetBodySets().size())}),
              (Ids{0, 0, 0}))
        << why;
  }
}

// Without volume data the body sets made by hand stay, their ids numbered once in order.
TEST(MeshPostUnitByHand, BodySetsMadeByHandAreNumbered) {
  CMPUPost mpu;
  TMPUBodySet* a = mpu.MakeBodySet();
  a->m_nBodyID = 7;
  a->m_aNodeID = {1, 2, 3, 4};
  a->m_aElemID = {1};
  TMPUBodySet* b = mpu.MakeBodySet();
  b->m_nBodyID = 8;
  b->m_aNodeID = {4, 9};
  b->m_aElemID = {3, 2};
  mpu.SetFacetNodeData({1, 2, 3}, {{{0, 0, 0}}, {{1, 0, 0}}, {{0, 1, 0}}});
  mpu.SetFacetElemData({11, 12}, {1, 2}, {8, 5}, {1, 2, 3, 3, 2, 1});
  EXPECT_EQ(mpu.RebuildMPU(nullptr), 1);
  const CMPUBody& body = mpu.GetBody();
  EXPECT_EQ((Ids{body.GetNodeSize(), body.FindNodeIndex(4), body.FindNodeIndex(9),
                 body.GetNodeID(4), body.FindNodeIndex(5), body.GetNodeID(5)}),
            (Ids{5, 3, 4, 9, -1, -1}));
  EXPECT_EQ((Ids{body.GetElemSize(), body.FindElemIndex(3), body.GetElemID(2)}), (Ids{3, 1, 2}));
  // Bodies: the body sets, then the bodies that only have facets.
  EXPECT_EQ((Ids{mpu.GetBodyCount(), mpu.FindBodyIndex(8), mpu.FindBodyIndex(5), mpu.GetBodyID(0)}),
            (Ids{3, 1, 2, 7}));

  CMPUData display = mpu.MakeData();
  EXPECT_TRUE(mpu.IsBodyShowingResult(2, &display));
  EXPECT_FALSE(mpu.IsBodyShowingResult(2, nullptr));
  display.SetShowResult(2, false);
  display.SetShown(0, false);
  mpu.SetBodyShown(1, false);
  EXPECT_FALSE(mpu.IsBodyShowingResult(0, &display) || mpu.IsBodyShowingResult(1, &display) ||
               mpu.IsBodyShowingResult(2, &display));
  display.SetShown(0, true);
  EXPECT_TRUE(mpu.IsBodyShowingResult(0, &display));
  display.SetCount(1);
  EXPECT_FALSE(display.IsShowResult(1) || display.IsShown(1) || mpu.IsBodyShown(3));
}

TEST_F(MeshPostUnit, ClearEmptiesWhatTheRecordsAndCompilesFilled) {
  m_mpu.GetOptimizeD() = {4, 5};
  m_mpu.GetPCBD() = {1001};
  m_mpu.SetFacetNodeData({1, 2, 3}, {{{0, 0, 0}}, {{1, 0, 0}}, {{0, 1, 0}}});
  m_mpu.SetFacetElemData({11, 12}, {12, 12}, {12, 12}, {1, 2, 3, 3, 2, 1});
  ASSERT_EQ(Compile(), 1);
  ASSERT_EQ(m_mpu.CompileFacet(), 1);

  m_mpu.Clear();
  EXPECT_TRUE(m_mpu.GetBndrDList().empty() && m_mpu.GetFatDList().empty() &&
              m_mpu.GetFatMatDList().empty() && m_mpu.GetMatDList().empty());
  EXPECT_TRUE(m_mpu.GetBodySets().empty() && m_mpu.GetOptimizeD().empty() &&
              m_mpu.GetPCBD().empty());
  EXPECT_EQ(
      (Ids{m_mpu.GetBody().GetNodeSize(), m_mpu.GetFacet().GetFacetSize(), m_mpu.GetBodyCount()}),
      (Ids{0, 0, 0}));
  // The copied-in data survive for the compiles that follow a clear; without the grids the
  // cell flags fit nothing.
  EXPECT_EQ(m_mpu.GetCellFlags().size(), 8u);
  const CMsgCapture quiet;
  EXPECT_EQ(m_mpu.CompileVolume(nullptr), 0);
  EXPECT_EQ(m_mpu.CompileFacet(), 1);
  EXPECT_EQ(m_mpu.GetFacet().FindFacetIndex(12), 1);
}

}  // namespace
