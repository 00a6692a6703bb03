#pragma once
// Records of the mesh post unit: the grid, material and fatigue blocks that the result file's
// implicit-boundary-method records fill, the body sets, and the iso-surface cut records.
#include <array>
#include <cstddef>
#include <cstdint>

#include "base/Containers.h"

// The grid of one body (ids 1-based).
struct TMPUBndrD {
  std::int32_t m_nElemOrder = 2;  // 1: 8-node cells, 2: 20-node cells
  std::int32_t m_nAlign = 1;      // 1: the grid axes are the global axes
  std::int32_t m_nPartID = 0;
  std::int32_t m_nNidStart = 1;             // the first node id of the grid
  std::array<std::int32_t, 3> m_aNumber{};  // grid point counts nx, ny, nz
  std::array<std::array<double, 3>, 3> m_aRot{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
  std::array<double, 3> m_aOrigin{};
  std::array<double, 3> m_aExtent{};
  std::array<std::array<double, 3>, 3> m_aStep{};  // the three axis step vectors
  std::array<double, 3> m_aOrigin2{};              // applied before the rotation
};

// Fatigue settings of one part.
struct TMPUFatD {
  std::int32_t m_nPartID = 0;
  std::int32_t m_nMatID = 0;
  std::int32_t m_nSequivalent = 0;           // stress measure, 0 to 3
  std::array<std::int32_t, 3> m_aMSCType{};  // curve type codes
  double m_rInfiniteLife = 0.0;              // the maximum life
  double m_rTotalCycle = 0.0;
};

// A fatigue material: three curves over a common point count.
struct TMPUFatMatD {
  std::int32_t m_nMatID = 0;
  std::int32_t m_nPointCnt = 0;
  std::array<double, 3> m_aLower{};  // lower stress per curve
  std::array<double, 3> m_aUpper{};  // upper stress per curve
  std::array<zar::MArray<double>, 3> m_aTable;
};

// The material of a grid part with its hardening table.
struct TMPUMatD {
  std::int32_t m_nPartID = 0;
  double m_rE = 0.0;
  double m_rNu = 0.0;
  std::int32_t m_nMatType = 0;
  std::int32_t m_nRyield = 0;
  std::int32_t m_nWkhard = 0;
  double m_rCombined = 0.0;
  std::int32_t m_nForm = 0;
  double m_rY0 = 0.0;
  double m_rTableXMin = 0.0;
  double m_rTableXMax = 0.0;
  zar::MArray<double> m_aTable;
};

// One body of the grid mesh: the part of a grid, its id the part id. The records it points at
// belong to the unit.
struct TMPUBodySet {
  std::int32_t m_nBodyID = 0;
  std::int32_t m_nCellStart = 0;  // the cells of the grids before; cell c is element id c + 1
  zar::MArray<std::int32_t> m_aNodeID;
  zar::MArray<std::int32_t> m_aElemID;
  TMPUBndrD* m_pBndrD = nullptr;      // not owned
  TMPUFatD* m_pFatD = nullptr;        // not owned
  TMPUFatMatD* m_pFatMatD = nullptr;  // not owned
  TMPUMatD* m_pMatD = nullptr;        // not owned
};

// A cut vertex on the edge between corners a and b: corner b + u * (corner a - corner b).
struct TMPUIPLVertex {
  std::int32_t m_nCornerA;
  std::int32_t m_nCornerB;
  double m_rU;
};

// The cutting functions write only the vertices; the unit tags each cut with its source.
struct TMPUIPLTri {
  std::int32_t m_nElemIdx;
  std::int32_t m_nBodyIdx;
  TMPUIPLVertex m_aVtx[3];
};
static_assert(offsetof(TMPUIPLTri, m_aVtx) == 8);

struct TMPUIPLEdge {
  std::int32_t m_nElemIdx;
  std::int32_t m_nBodyIdx;
  TMPUIPLVertex m_aVtx[2];
};
static_assert(offsetof(TMPUIPLEdge, m_aVtx) == 8);
