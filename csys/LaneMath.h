#pragma once
// Doubles side by side, one problem per lane. Every operation is the lane-wise IEEE operation
// of the scalar code, so a lane computes bit for bit what the scalar code computes for its
// problem; branches become masks. Lanes are held in pairs, the width that every x86-64 has:
// compilers split wider vector types lane by lane where the target lacks them.
#include <bit>
#include <cstdint>

namespace pvk::csys::lanes {

using V2 = double __attribute__((vector_size(2 * sizeof(double))));
using M2 = std::int64_t __attribute__((vector_size(2 * sizeof(double))));

inline constexpr int kPairs = 2;
inline constexpr int kLanes = 2 * kPairs;

struct VD {
  V2 p[kPairs];
};
// A lane mask: all bits set where true.
struct VM {
  M2 p[kPairs];
};

template <class T, class F>
T Each(F f) {
  T r;
  for (int k = 0; k < kPairs; ++k) r.p[k] = f(k);
  return r;
}

inline VD Splat(double x) {
  return Each<VD>([x](int) { return V2{x, x}; });
}
inline double Lane(const VD& x, int k) { return x.p[k / 2][k % 2]; }
inline bool Lane(const VM& m, int k) { return m.p[k / 2][k % 2] != 0; }
inline void SetLane(VD& x, int k, double v) { x.p[k / 2][k % 2] = v; }

inline VD operator+(const VD& a, const VD& b) {
  return Each<VD>([&](int k) { return a.p[k] + b.p[k]; });
}
inline VD operator-(const VD& a, const VD& b) {
  return Each<VD>([&](int k) { return a.p[k] - b.p[k]; });
}
inline VD operator*(const VD& a, const VD& b) {
  return Each<VD>([&](int k) { return a.p[k] * b.p[k]; });
}
inline VD operator/(const VD& a, const VD& b) {
  return Each<VD>([&](int k) { return a.p[k] / b.p[k]; });
}
inline VD operator-(const VD& a) {
  return Each<VD>([&](int k) { return -a.p[k]; });
}
inline VD operator+(const VD& a, double b) { return a + Splat(b); }
inline VD operator*(double a, const VD& b) { return Splat(a) * b; }
inline VD operator/(const VD& a, double b) { return a / Splat(b); }
inline VD& operator+=(VD& a, const VD& b) { return a = a + b; }
inline VD& operator-=(VD& a, const VD& b) { return a = a - b; }
inline VD& operator/=(VD& a, const VD& b) { return a = a / b; }

inline VM operator<(const VD& a, const VD& b) {
  return Each<VM>([&](int k) { return a.p[k] < b.p[k]; });
}
inline VM operator<=(const VD& a, const VD& b) {
  return Each<VM>([&](int k) { return a.p[k] <= b.p[k]; });
}
inline VM operator!=(const VD& a, const VD& b) {
  return Each<VM>([&](int k) { return a.p[k] != b.p[k]; });
}
inline VM operator>(const VD& a, const VD& b) { return b < a; }
inline VM operator<(const VD& a, double b) { return a < Splat(b); }
inline VM operator<=(const VD& a, double b) { return a <= Splat(b); }
inline VM operator>(const VD& a, double b) { return a > Splat(b); }
inline VM operator!=(const VD& a, double b) { return a != Splat(b); }

inline VM operator&(const VM& a, const VM& b) {
  return Each<VM>([&](int k) { return a.p[k] & b.p[k]; });
}
inline VM operator|(const VM& a, const VM& b) {
  return Each<VM>([&](int k) { return a.p[k] | b.p[k]; });
}
inline VM operator~(const VM& a) {
  return Each<VM>([&](int k) { return ~a.p[k]; });
}
inline VM& operator&=(VM& a, const VM& b) { return a = a & b; }
inline VM& operator|=(VM& a, const VM& b) { return a = a | b; }

inline bool Any(const VM& m) {
  M2 any = m.p[0];
  for (int k = 1; k < kPairs; ++k) any |= m.p[k];
  return (any[0] | any[1]) != 0;
}

inline VD Select(const VM& m, const VD& a, const VD& b) {
  return Each<VD>([&](int k) {
    return std::bit_cast<V2>((m.p[k] & std::bit_cast<M2>(a.p[k])) |
                             (~m.p[k] & std::bit_cast<M2>(b.p[k])));
  });
}

// Clears the sign bit, as fabs does.
inline VD Abs(const VD& x) {
  constexpr std::int64_t kMagnitude = 0x7fffffffffffffffLL;
  return Each<VD>([&](int k) { return std::bit_cast<V2>(std::bit_cast<M2>(x.p[k]) & kMagnitude); });
}

// Correctly rounded like the scalar sqrt; the files that use it build without errno so that
// this becomes one vector instruction per pair.
inline VD Sqrt(const VD& x) {
  return Each<VD>([&](int k) { return V2{__builtin_sqrt(x.p[k][0]), __builtin_sqrt(x.p[k][1])}; });
}

}  // namespace pvk::csys::lanes
