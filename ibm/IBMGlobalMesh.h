#pragma once
// What the grid results read of a mesh post unit's display mesh beyond its id maps and
// bodies: the display nodes of each element, the node positions, and the tessellation
// vertices of each body's geometry. The unit and the geometry behind it implement it.
#include <cstdint>
#include <span>

#include "base/Containers.h"
#include "qve_pvk_export.h"

class PVK_API IIBMGlobalMesh {
public:
  virtual ~IIBMGlobalMesh() = default;
  // Node indices of the element's display nodes (8, or 27 for a 20-node cell), numbered as
  // in ShapeFuncHexa.h; -1 for a node the unit does not have.
  virtual std::span<const std::int32_t> GetElemNodes(std::int32_t elem) const = 0;
  virtual zar::MVector<double, 3> GetNodePos(std::int32_t node) const = 0;
  // The tessellation vertices of body set `body`, face after face, as the geometry gives
  // them; empty for a body that is not shown or has no geometry.
  virtual std::span<const zar::MVector<double, 3>> GetBodyVertices(std::int32_t body) const = 0;
};
