#pragma once
// The classic marching cubes tables (Lorensen and Cline, in their widely published form).
// Case index bit i is set when corner i is inside; edge k joins the corners kEdgeCorners[k].
#include <array>
#include <cstdint>

namespace pvk::mc {

// Per case, the 12-bit mask of the edges the surface crosses.
extern const std::array<std::uint16_t, 256> kEdgeTable;
// Per case, up to five triangles as edge index triples, ended by -1.
extern const std::array<std::array<std::int8_t, 16>, 256> kTriTable;
extern const std::array<std::array<std::int8_t, 2>, 12> kEdgeCorners;

}  // namespace pvk::mc
