#pragma once
// Small geometric helpers of the base library.
#include "base/Containers.h"
#include "qve_pvk_export.h"

namespace zar::lib {

class PVK_API MMathFunc {
public:
  // v rotated about the axis through the origin by angleDeg degrees, right-handed: a positive
  // angle turns the x axis towards the y axis about the z axis. The axis need not be a unit
  // vector; a zero or non-finite axis leaves v as it is.
  static zar::MVector<double, 3> RotateVector(const zar::MVector<double, 3>& v,
                                              const zar::MVector<double, 3>& axis, double angleDeg);
};

}  // namespace zar::lib
