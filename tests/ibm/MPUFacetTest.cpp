#include <gtest/gtest.h>

#include <vector>

#include "ibm/MPUFacet.h"

namespace {

std::vector<std::int32_t> Ids(std::span<const std::int32_t> facets, const CMPUFacet& mesh) {
  std::vector<std::int32_t> ids;
  for (const std::int32_t f : facets) ids.push_back(mesh.GetFacetID(f));
  return ids;
}

// Five triangles: element 20 of body 2 owns facets 101 and 104, element 10 of body 1 owns
// 102 and 105, element 30 of body 2 owns 103. Node 99 is not among the facet nodes.
CMPUFacet MakeMesh() {
  CMPUFacet mesh;
  mesh.SetNodeData({5, 6, 7, 8}, {{{0, 0, 0}}, {{1, 0, 0}}, {{0, 1, 0}}, {{1, 1, 0}}});
  mesh.SetElemData({{{101, 102, 103, 104, 105},
                     {20, 10, 30, 20, 10},
                     {2, 1, 2, 2, 1},
                     {5, 6, 7, 6, 8, 7, 7, 8, 5, 5, 8, 6, 8, 99, 5}}});
  return mesh;
}

TEST(MPUFacet, CompileBuildsIndexMapsGroupsAndRecords) {
  CMPUFacet mesh = MakeMesh();
  ASSERT_EQ(mesh.Compile(), 1);
  ASSERT_EQ(mesh.Compile(), 1);  // a second compile starts afresh

  EXPECT_EQ(mesh.GetFacetSize(), 5);
  EXPECT_EQ(mesh.FindFacetIndex(103), 2);
  EXPECT_EQ(mesh.FindFacetIndex(106), -1);
  EXPECT_EQ(mesh.GetFacet(1).m_aNode[2], 2);
  EXPECT_EQ(mesh.GetFacet(4).m_aNode[0], 3);
  EXPECT_EQ(mesh.GetFacet(4).m_aNode[1], -1);

  EXPECT_EQ(mesh.GetElemSize(), 3);
  const std::int32_t e20 = mesh.FindElemIndex(20), e10 = mesh.FindElemIndex(10);
  EXPECT_EQ(e20, 0);
  EXPECT_EQ(e10, 1);
  EXPECT_EQ(mesh.FindElemIndex(40), -1);
  EXPECT_EQ(mesh.GetElemFacetCount(e10), 2);
  EXPECT_EQ(Ids(mesh.GetElemFacets(e20), mesh), (std::vector<std::int32_t>{101, 104}));
  EXPECT_EQ(Ids(mesh.GetElemFacets(e10), mesh), (std::vector<std::int32_t>{102, 105}));
  EXPECT_EQ(Ids(mesh.GetElemFacets(mesh.FindElemIndex(30)), mesh),
            (std::vector<std::int32_t>{103}));

  const TMPUFacetStruct view = mesh.GetStruct();
  ASSERT_EQ(view.m_pGroup->size(), 2u);
  const TMPUFacetGroup& body2 = (*view.m_pGroup)[mesh.FindGroupIndex(2)];
  EXPECT_EQ(body2.m_nBodyID, 2);
  EXPECT_EQ(body2.m_aFacetID, (zar::MArray<std::int32_t>{101, 103, 104}));
  EXPECT_EQ(view.m_pFacetMap->at(105), 4);
}

TEST(MPUFacet, MismatchedArraysLeaveTheStructureEmpty) {
  CMPUFacet mesh = MakeMesh();
  ASSERT_EQ(mesh.Compile(), 1);
  mesh.SetElemData({{{1, 2}, {1, 1}, {1, 1}, {5, 6, 7, 6, 8}}});
  EXPECT_EQ(mesh.Compile(), 0);
  EXPECT_EQ(mesh.GetFacetSize(), 0);
  EXPECT_EQ(mesh.GetElemSize(), 0);
  EXPECT_TRUE(mesh.GetStruct().m_pGroup->empty());
  EXPECT_EQ(mesh.FindFacetIndex(101), -1);

  CMPUFacet unpaired = MakeMesh();
  unpaired.SetNodeData({5, 6}, {{{0, 0, 0}}});
  EXPECT_EQ(unpaired.Compile(), 0);
}

}  // namespace
