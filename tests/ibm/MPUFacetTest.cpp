#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "ibm/MPUFacet.h"
#include "ibm/MPUGeometry.h"
#include "session/MemModelDB.h"

namespace {

using Ids = std::vector<std::int32_t>;

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

  EXPECT_EQ((Ids{mesh.GetFacetSize(), mesh.FindFacetIndex(103), mesh.FindFacetIndex(106)}),
            (Ids{5, 2, -1}));
  // Node indexes of facets 102 and 105 (node 99: none).
  EXPECT_EQ(
      (Ids{mesh.GetFacet(1).m_aNode[2], mesh.GetFacet(4).m_aNode[0], mesh.GetFacet(4).m_aNode[1]}),
      (Ids{2, 3, -1}));
  EXPECT_EQ((Ids{mesh.GetElemSize(), mesh.FindElemIndex(20), mesh.FindElemIndex(10),
                 mesh.FindElemIndex(30), mesh.FindElemIndex(40), mesh.GetElemFacetCount(1)}),
            (Ids{3, 0, 1, 2, -1, 2}));
  const std::vector<Ids> facetsByElem = {{101, 104}, {102, 105}, {103}};
  for (std::int32_t e = 0; e < 3; ++e) {
    Ids ids;
    for (const std::int32_t f : mesh.GetElemFacets(e)) ids.push_back(mesh.GetFacetID(f));
    EXPECT_EQ(ids, facetsByElem[e]) << e;
  }

  const TMPUFacetStruct view = mesh.GetStruct();
  ASSERT_EQ(view.m_pGroup->size(), 2u);
  const TMPUFacetGroup& body2 = (*view.m_pGroup)[mesh.FindGroupIndex(2)];
  EXPECT_EQ(body2.m_nBodyID, 2);
  EXPECT_EQ(body2.m_aFacetID, (zar::MArray<std::int32_t>{101, 103, 104}));
  EXPECT_EQ(view.m_pFacetMap->at(105), 4);
}

TEST(MPUFacet, ArraysThatDoNotFitLeaveTheStructureEmptyWithAReason) {
  using Elem = CMPUFacet::TElemArrays;
  const std::vector<std::pair<Elem, std::wstring>> cases = {
      {{{{1, 2}, {1, 1}, {1, 1}, {5, 6, 7, 6, 8}}},
       L"2 facets with 2 element ids, 2 body ids and 5 node ids"},
      {{{{1, 2}, {1}, {1, 1}, {5, 6, 7, 6, 8, 5}}},
       L"2 facets with 1 element ids, 2 body ids and 6 node ids"},
      {{{{1, 1}, {1, 1}, {1, 1}, {5, 6, 7, 6, 8, 5}}}, L"facet id 1 repeats"},
  };
  for (const auto& [elem, why] : cases) {
    CMPUFacet mesh = MakeMesh();
    ASSERT_EQ(mesh.Compile(), 1);
    mesh.SetElemData(elem);
    EXPECT_EQ(mesh.Compile(), 0);
    EXPECT_EQ(mesh.GetReason().str(), why);
    EXPECT_EQ((Ids{mesh.GetFacetSize(), mesh.GetElemSize(), mesh.FindFacetIndex(1)}),
              (Ids{0, 0, -1}));
    EXPECT_TRUE(mesh.GetStruct().m_pGroup->empty());
  }
  CMPUFacet unpaired = MakeMesh();
  unpaired.SetNodeData({5, 6}, {{{0, 0, 0}}});
  EXPECT_EQ(unpaired.Compile(), 0);
  EXPECT_EQ(unpaired.GetReason().str(), L"2 facet node ids with 1 positions");
}

// The parts' geometry: a body per facet group with the positions of the nodes its facets use;
// the model database finds it through pool 130.
TEST(MPUFacet, BodiesCarryThePartsFacetsAndThePoolFindsThem) {
  CMPUFacet mesh = MakeMesh();
  // A repeated node id names its first position.
  mesh.SetNodeData({5, 6, 6, 7, 8},
                   {{{0, 0, 0}}, {{1, 0, 0}}, {{9, 9, 9}}, {{0, 1, 0}}, {{1, 1, 0}}});
  ASSERT_EQ(mesh.Compile(), 1);
  zar::MArray<TMPUPartBody> bodies = MakeMPUBodies(mesh);
  ASSERT_EQ(bodies.size(), 2u);
  // Body 2: facets 101 (5 6 7), 103 (7 8 5), 104 (5 8 6); body 1: facet 102 (6 8 7), as 105
  // has node 99.
  const zar::cad::MXTessellation* tess = bodies[0].m_pBody->GetFace(0).GetFinestTessellation();
  ASSERT_NE(tess, nullptr);
  EXPECT_EQ(tess->m_aTri, (zar::MArray<std::int32_t>{0, 1, 2, 2, 3, 0, 0, 3, 1}));
  EXPECT_EQ(tess->m_aPos[1], (zar::MVector<double, 3>{{1, 0, 0}}));
  EXPECT_EQ(tess->m_aPos[2], (zar::MVector<double, 3>{{0, 1, 0}}));
  EXPECT_EQ((Ids{bodies[0].m_nPartID, bodies[0].m_pBody->GetVertexSize(), bodies[1].m_nPartID,
                 bodies[1].m_pBody->GetVertexSize()}),
            (Ids{2, 4, 1, 3}));

  CMemModelDB db;
  for (TMPUPartBody& b : bodies) EXPECT_NE(db.AddBody(b.m_nPartID, std::move(b.m_pBody)), 0u);
  EXPECT_EQ(db.AddBody(2, std::make_unique<zar::cad::MXBody>()), 0u);  // the part has one
  const auto* pool = dynamic_cast<const DPoolPtob*>(db.GetTable(DPoolPtob::N_POOL));
  ASSERT_NE(pool, nullptr);
  const auto* body = zar::cad::MXBody::FromEntity(db.GetEntityPool().Find(pool->GetBodyK(1)));
  ASSERT_NE(body, nullptr);
  EXPECT_EQ((Ids{body->GetVertexSize(), static_cast<std::int32_t>(pool->GetBodyK(3)),
                 db.GetEntityPool().GetCount()}),
            (Ids{3, 0, 2}));
}

}  // namespace
