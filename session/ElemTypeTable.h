#pragma once
// The element types of the model, indexed by their type code 0 to 15: corner and all node
// counts, where the mid-side nodes lie, and the shape's topology.
#include <array>
#include <cstdint>

namespace pvk {

// Node m lies halfway between nodes a and b (numbered from 0 within the element).
struct TElemMidSide {
  std::int32_t m_nNode;
  std::int32_t m_nA;
  std::int32_t m_nB;
};

struct TElemTypeEntry {
  static constexpr std::size_t N_MAX_MID_SIDE = 12;  // quadratic hexahedron

  std::int32_t m_nCornerNodeCnt;
  std::int32_t m_nNodeCnt;
  std::int32_t m_nMidSideCnt;
  std::array<TElemMidSide, N_MAX_MID_SIDE> m_aMidSide;  // the first m_nMidSideCnt are used
  std::int32_t m_nBoundaryCnt;                          // sides of a surface, faces of a solid
  std::int32_t m_nEdgeCnt;
  std::int32_t m_nNodesPerEdge;  // 2 linear, 3 quadratic
  std::int32_t m_nDimension;     // 0 point, 1 line, 2 surface, 3 solid
  std::int32_t m_nLinearType;    // the linear shape with the same corners
};

constexpr std::int32_t N_ELEM_TYPE = 16;

// Null for a code outside 0 to 15.
const TElemTypeEntry* GetElemTypeEntry(std::int32_t typeCode);

}  // namespace pvk
