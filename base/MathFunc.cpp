#include "base/MathFunc.h"

#include <cmath>
#include <numbers>

namespace zar::lib {

// Rodrigues' formula: v cos t + (k x v) sin t + k (k . v)(1 - cos t), k the unit axis.
zar::MVector<double, 3> MMathFunc::RotateVector(const zar::MVector<double, 3>& v,
                                                const zar::MVector<double, 3>& axis,
                                                double angleDeg) {
  const double len = axis.Length();
  if (!(len > 0.0) || !std::isfinite(len)) return v;
  const zar::MVector<double, 3> k = axis * (1.0 / len);
  const double t = angleDeg * std::numbers::pi / 180.0;
  const double c = std::cos(t);
  const double s = std::sin(t);
  return v * c + k.Cross(v) * s + k * (k.Dot(v) * (1.0 - c));
}

}  // namespace zar::lib
