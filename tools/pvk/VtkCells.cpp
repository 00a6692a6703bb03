#include "VtkCells.h"

namespace pvk_export {

namespace {

// VTK's cell type numbers (vtkCellType.h).
enum EVtkType : std::uint8_t {
  VTK_EMPTY_CELL = 0,
  VTK_VERTEX = 1,
  VTK_LINE = 3,
  VTK_TRIANGLE = 5,
  VTK_QUAD = 9,
  VTK_TETRA = 10,
  VTK_HEXAHEDRON = 12,
  VTK_WEDGE = 13,
  VTK_PYRAMID = 14,
  VTK_QUADRATIC_EDGE = 21,
  VTK_QUADRATIC_TRIANGLE = 22,
  VTK_QUADRATIC_QUAD = 23,
  VTK_QUADRATIC_TETRA = 24,
  VTK_QUADRATIC_HEXAHEDRON = 25,
  VTK_QUADRATIC_WEDGE = 26,
  VTK_QUADRATIC_PYRAMID = 27,
};

constexpr TVtkCell Same(EVtkType type, std::int32_t nodes) {
  TVtkCell cell{type, nodes, {}};
  for (std::int32_t k = 0; k < nodes; ++k) cell.order[k] = static_cast<std::uint8_t>(k);
  return cell;
}

// Element types and VTK cells share corners first, then mid-side nodes on the same edges in
// the same order, and their solids turn the first face towards the opposite one; except the
// wedge, whose first triangle VTK turns away from the second: both triangles are walked the
// other way round, and the mid-side nodes follow their edges.
// Indexed by the element type code.
constexpr TVtkCell kCells[] = {
    Same(VTK_EMPTY_CELL, 0),                                                        // 0
    Same(VTK_VERTEX, 1),                                                            // 1
    Same(VTK_LINE, 2),                                                              // 2
    Same(VTK_QUADRATIC_EDGE, 3),                                                    // 3
    Same(VTK_TRIANGLE, 3),                                                          // 4
    Same(VTK_QUADRATIC_TRIANGLE, 6),                                                // 5
    Same(VTK_QUAD, 4),                                                              // 6
    Same(VTK_QUADRATIC_QUAD, 8),                                                    // 7
    Same(VTK_TETRA, 4),                                                             // 8
    Same(VTK_QUADRATIC_TETRA, 10),                                                  // 9
    Same(VTK_PYRAMID, 5),                                                           // 10
    Same(VTK_QUADRATIC_PYRAMID, 13),                                                // 11
    {VTK_WEDGE, 6, {0, 2, 1, 3, 5, 4}},                                             // 12
    {VTK_QUADRATIC_WEDGE, 15, {0, 2, 1, 3, 5, 4, 8, 7, 6, 11, 10, 9, 12, 14, 13}},  // 13
    Same(VTK_HEXAHEDRON, 8),                                                        // 14
    Same(VTK_QUADRATIC_HEXAHEDRON, 20),                                             // 15
};

constexpr std::int32_t kCodes = sizeof(kCells) / sizeof(kCells[0]);

}  // namespace

const TVtkCell& VtkCellOf(std::int32_t code) {
  return code >= 0 && code < kCodes ? kCells[code] : kCells[0];
}

}  // namespace pvk_export
