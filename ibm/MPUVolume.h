#pragma once
// The volume mesh of the grids: the grid nodes and cells that the volume flags mark become
// the nodes and elements of the unit's body.
//
// Node ids are the grid's first node id + i + j*nx + k*nx*ny. Cells are numbered in one
// sequence over the grids, x fastest, (n - 1) / order cells along an axis of n points; the
// element of cell c has id c + 1. Its display nodes are the 8 corners of a linear cell, or
// for a quadratic cell the 8 corners, 12 mid-edge nodes, 6 face centres and the centre (27),
// in the node order of the hexahedral shape functions (ShapeFuncHexa.h).
//
// The flags come as the import makes them: node flags indexed by node id, cell flags in the
// order of its walk, which steps the cells while they start below the last point of an axis
// and so, for an odd number of intervals of a quadratic grid, flags a cell past the grid's
// end; such a cell is never an element.
#include <cstdint>
#include <memory>

#include "base/CString.h"
#include "base/Containers.h"
#include "ibm/MPUBody.h"
#include "ibm/MPURecords.h"
#include "ibm/ShapeFuncHexa.h"

namespace mpu_volume {

constexpr std::int32_t N_LINEAR_CELL_NODE = pvk::ibm::N_HEXA8_NODE;
constexpr std::int32_t N_QUADRATIC_CELL_NODE = pvk::ibm::N_HEXA27_DISPLAY_NODE;

// The nodes and elements of one grid, by id.
struct TGridMesh {
  zar::MArray<std::int32_t> m_aNodeID;
  zar::MArray<std::int32_t> m_aElemID;
};

// The global position of grid point (i, j, k).
zar::MVector<double, 3> GridPointPos(const TMPUBndrD& grid, std::int64_t i, std::int64_t j,
                                     std::int64_t k);

// The whole cells of a grid that Build accepted.
std::int32_t GetCellCount(const TMPUBndrD& grid);

// Fills `body` and one mesh per grid. 0, with `body` and `meshes` empty and the reason kept,
// when the grids and the flags do not fit together.
int Build(const zar::MArray<std::unique_ptr<TMPUBndrD>>& grids, const zar::MArray<char>& nodeFlags,
          const zar::MArray<char>& cellFlags, CMPUBody& body, zar::MArray<TGridMesh>& meshes,
          CString& reason);

}  // namespace mpu_volume
