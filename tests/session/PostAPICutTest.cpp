#include <gtest/gtest.h>

#include <array>
#include <map>

#include "ibm/MPURecords.h"
#include "session/MarchingCubesTables.h"
#include "session/PostAPI.h"

namespace {

using pvk::mc::kEdgeCorners;
using pvk::mc::kEdgeTable;
using pvk::mc::kTriTable;

// The six cell faces by their corners.
constexpr std::array<std::array<int, 4>, 6> kFaces = {
    {{0, 1, 2, 3}, {4, 5, 6, 7}, {0, 1, 5, 4}, {1, 2, 6, 5}, {2, 3, 7, 6}, {3, 0, 4, 7}}};

bool IsInside(unsigned cubeCase, int corner) { return (cubeCase >> corner & 1u) != 0; }

bool EdgeOnFace(int edge, int face) {
  int found = 0;
  for (const int corner : kFaces[face])
    found += corner == kEdgeCorners[edge][0] || corner == kEdgeCorners[edge][1];
  return found == 2;
}

// The face that holds both edges; -1 when none does.
int CommonFace(int e1, int e2) {
  for (int face = 0; face < 6; ++face)
    if (EdgeOnFace(e1, face) && EdgeOnFace(e2, face)) return face;
  return -1;
}

std::vector<std::array<int, 3>> Triangles(unsigned cubeCase) {
  std::vector<std::array<int, 3>> tris;
  const auto& row = kTriTable[cubeCase];
  for (std::size_t t = 0; row[t] != -1; t += 3) tris.push_back({row[t], row[t + 1], row[t + 2]});
  return tris;
}

// The edge mask is exactly the edges between inside and outside; the triangle rows use the
// masked edges and close up.
TEST(MarchingCubesTables, EdgeMasksAndTriangleRowsAgreeAndCloseUp) {
  for (unsigned c = 0; c < 256; ++c) {
    unsigned expected = 0;
    for (int e = 0; e < 12; ++e)
      if (IsInside(c, kEdgeCorners[e][0]) != IsInside(c, kEdgeCorners[e][1])) expected |= 1u << e;
    EXPECT_EQ(kEdgeTable[c], expected) << c;
    const auto& row = kTriTable[c];
    std::size_t length = 0;
    while (length < 16 && row[length] != -1) ++length;
    ASSERT_LT(length, 16u) << c;
    ASSERT_EQ(length % 3, 0u) << c;
    unsigned used = 0;
    for (std::size_t i = 0; i < length; ++i) used |= 1u << row[i];
    EXPECT_EQ(used, kEdgeTable[c]) << c;

    // Directed triangle sides: an inner side is walked once each way by two triangles, so
    // the triangles are consistently oriented; a side used once lies on a cell face.
    std::map<std::pair<int, int>, int> sides;
    for (const auto& tri : Triangles(c))
      for (int k = 0; k < 3; ++k) ++sides[{tri[k], tri[(k + 1) % 3]}];
    std::map<std::pair<int, int>, int> faceDegree;  // (face, edge) -> border sides touching it
    for (const auto& [side, count] : sides) {
      EXPECT_EQ(count, 1) << c;
      if (sides.count({side.second, side.first})) continue;
      const int face = CommonFace(side.first, side.second);
      ASSERT_GE(face, 0) << "open side in case " << c;
      ++faceDegree[{face, side.first}];
      ++faceDegree[{face, side.second}];
    }
    // On every face each crossed edge ends exactly one border side, so neighbouring cells
    // meet without gaps.
    for (int face = 0; face < 6; ++face)
      for (int e = 0; e < 12; ++e) {
        if (!EdgeOnFace(e, face) || !(kEdgeTable[c] >> e & 1u)) continue;
        EXPECT_EQ((faceDegree[{face, e}]), 1) << c << " face " << face << " edge " << e;
      }
  }
}

TEST(CutCube, OneInsideCornerGivesOneTriangleAroundIt) {
  TMPUIPLTri out[5];
  out[0].m_nElemIdx = 17;
  out[0].m_nBodyIdx = 23;
  const std::array<float, 8> v = {-1, 3, 5, 1, 4, 6, 7, 8};
  ASSERT_EQ(IPostAPI::CutCube(out, v.data()), 1);
  // Edges 0 (0,1), 8 (0,4) and 3 (3,0), each at corner b + u (corner a - corner b).
  const std::array<std::array<int, 2>, 3> corners = {{{0, 1}, {0, 4}, {3, 0}}};
  for (int k = 0; k < 3; ++k) {
    const TMPUIPLVertex& vtx = out[0].m_aVtx[k];
    EXPECT_EQ(vtx.m_nCornerA, corners[k][0]);
    EXPECT_EQ(vtx.m_nCornerB, corners[k][1]);
    const float a = v[corners[k][0]], b = v[corners[k][1]];
    EXPECT_EQ(vtx.m_rU, static_cast<double>(b / (b - a)));
    // The interpolated value vanishes at the crossing.
    EXPECT_NEAR(b + vtx.m_rU * (a - b), 0.0, 1e-6);
  }
  EXPECT_DOUBLE_EQ(out[0].m_aVtx[0].m_rU, 0.75);
  EXPECT_EQ(out[0].m_nElemIdx, 17);  // the unit's part is left alone
  EXPECT_EQ(out[0].m_nBodyIdx, 23);
}

TEST(CutCube, EveryCaseWritesItsTrianglesOverCrossingEdges) {
  TMPUIPLTri out[5];
  for (unsigned c = 0; c < 256; ++c) {
    std::array<float, 8> v{};
    for (int i = 0; i < 8; ++i) v[i] = IsInside(c, i) ? -1.0f - i : 1.0f + i;
    const std::int32_t count = IPostAPI::CutCube(out, v.data());
    ASSERT_EQ(count, static_cast<std::int32_t>(Triangles(c).size())) << c;
    ASSERT_EQ(count == 0, c == 0 || c == 255);
    for (std::int32_t t = 0; t < count; ++t)
      for (const TMPUIPLVertex& vtx : out[t].m_aVtx) {
        EXPECT_NE(IsInside(c, vtx.m_nCornerA), IsInside(c, vtx.m_nCornerB)) << c;
        EXPECT_GT(vtx.m_rU, 0.0);
        EXPECT_LT(vtx.m_rU, 1.0);
      }
  }
  const std::array<float, 8> zero{};  // zero counts as outside
  EXPECT_EQ(IPostAPI::CutCube(out, zero.data()), 0);
  EXPECT_EQ(IPostAPI::CutCube(nullptr, zero.data()), 0);
}

TEST(CutFacetLine, SegmentEdgesPerCase) {
  // Per case, the corner pairs of the two vertices.
  const std::map<unsigned, std::array<std::array<int, 2>, 2>> expected = {
      {1, {{{2, 0}, {0, 1}}}}, {2, {{{0, 1}, {1, 2}}}}, {3, {{{1, 2}, {2, 0}}}},
      {4, {{{2, 0}, {1, 2}}}}, {5, {{{1, 2}, {0, 1}}}}, {6, {{{0, 1}, {2, 0}}}}};
  TMPUIPLEdge out{};
  for (unsigned c = 0; c < 8; ++c) {
    std::array<float, 3> v{};
    for (int i = 0; i < 3; ++i) v[i] = (c >> i & 1u) ? -1.0f - i : 2.0f + i;
    const std::int32_t written = IPostAPI::CutFacetLine(&out, v.data());
    const auto it = expected.find(c);
    ASSERT_EQ(written, it == expected.end() ? 0 : 1) << c;
    if (!written) continue;
    for (int k = 0; k < 2; ++k) {
      const auto [a, b] = it->second[k];
      EXPECT_EQ(out.m_aVtx[k].m_nCornerA, a) << c;
      EXPECT_EQ(out.m_aVtx[k].m_nCornerB, b) << c;
      // The interpolated value vanishes at the crossing.
      EXPECT_NEAR(v[b] + out.m_aVtx[k].m_rU * (v[a] - v[b]), 0.0, 1e-6) << c;
    }
  }
  EXPECT_EQ(IPostAPI::CutFacetLine(&out, nullptr), 0);
}

}  // namespace
