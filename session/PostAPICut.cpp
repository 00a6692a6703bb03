// Zero iso-surface of a hexahedral cell (marching cubes) and zero iso-line of a triangle. A
// corner is inside when its value is below 0.
#include <array>

#include "ibm/MPURecords.h"
#include "session/MarchingCubesTables.h"
#include "session/PostAPI.h"

namespace {

// The triangle's edges 0 = (0,1), 1 = (1,2), 2 = (2,0), and per case the two edges crossed.
constexpr std::array<std::array<std::int32_t, 2>, 3> kFacetEdgeCorners = {{{0, 1}, {1, 2}, {2, 0}}};
constexpr std::array<std::array<std::int32_t, 2>, 8> kFacetCaseEdges = {
    {{-1, -1}, {2, 0}, {0, 1}, {1, 2}, {2, 1}, {1, 0}, {0, 2}, {-1, -1}}};

// The crossing on edge (a, b) lies at corner b + u * (corner a - corner b).
TMPUIPLVertex CutEdge(std::int32_t a, std::int32_t b, const float* v) {
  const float u = v[b] / (v[b] - v[a]);
  return {a, b, static_cast<double>(u)};
}

template <std::size_t N>
unsigned CaseIndex(const float* v) {
  unsigned index = 0;
  for (std::size_t i = 0; i < N; ++i)
    if (v[i] < 0.0f) index |= 1u << i;
  return index;
}

}  // namespace

std::int32_t IPostAPI::CutCube(TMPUIPLTri* out, const float v[8]) {
  if (!out || !v) return 0;
  const unsigned index = CaseIndex<8>(v);
  if (pvk::mc::kEdgeTable[index] == 0) return 0;
  const auto& row = pvk::mc::kTriTable[index];
  std::int32_t count = 0;
  for (std::size_t t = 0; row[t] != -1; t += 3, ++count)
    for (std::size_t k = 0; k < 3; ++k) {
      // Inside a row (before its -1) every entry is an edge number, 0 to 11.
      const auto& corners = pvk::mc::kEdgeCorners[static_cast<std::size_t>(
          row[t + k])];  // NOLINT(bugprone-signed-char-misuse)
      out[count].m_aVtx[k] = CutEdge(corners[0], corners[1], v);
    }
  return count;
}

std::int32_t IPostAPI::CutFacetLine(TMPUIPLEdge* out, const float v[3]) {
  if (!out || !v) return 0;
  const auto& edges = kFacetCaseEdges[CaseIndex<3>(v)];
  if (edges[0] < 0) return 0;
  for (std::size_t k = 0; k < 2; ++k) {
    const auto& corners = kFacetEdgeCorners[static_cast<std::size_t>(edges[k])];
    out->m_aVtx[k] = CutEdge(corners[0], corners[1], v);
  }
  return 1;
}
