#pragma once
// Three-component vector helpers of the coordinate system conversions, on plain arrays.
#include <cmath>

namespace pvk::csys {

// Lengths below this leave a vector unnormalized.
inline constexpr double kTinyLength = 1e-12;

inline double Dot3(const double a[3], const double b[3]) {
  return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

inline void Cross3(const double a[3], const double b[3], double out[3]) {
  out[0] = a[1] * b[2] - a[2] * b[1];
  out[1] = a[2] * b[0] - a[0] * b[2];
  out[2] = a[0] * b[1] - a[1] * b[0];
}

inline void NormalizeIfLong(double v[3]) {
  const double len = std::sqrt(Dot3(v, v));
  if (len < kTinyLength) return;
  v[0] /= len;
  v[1] /= len;
  v[2] /= len;
}

// An in-plane triple (xx, yy, xy) into the axes f1 = a e1 + b e2, f2 = p e1 + q e2.
inline void RotatePlaneTensor(double c[3], double a, double b, double p, double q) {
  const double xx = c[0], yy = c[1], xy = c[2];
  c[0] = xx * a * a + yy * b * b + xy * 2.0 * a * b;
  c[1] = xx * p * p + yy * q * q + xy * 2.0 * p * q;
  c[2] = xx * a * p + yy * b * q + xy * (p * b + q * a);
}

// An in-plane pair (x, y) into the same axes.
inline void RotatePlaneVector(double c[2], double a, double b, double p, double q) {
  const double x = c[0], y = c[1];
  c[0] = a * x + b * y;
  c[1] = p * x + q * y;
}

}  // namespace pvk::csys
