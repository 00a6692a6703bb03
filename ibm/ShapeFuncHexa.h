#pragma once
// Shape functions of the 8-node (trilinear) and 20-node (serendipity) hexahedron over natural
// coordinates (xi, eta, zeta) in [-1, 1]. Each writes into a caller buffer of GetNodeCount()
// values; the static Eval forms (and the 8-node Interpolate) let hot loops call them without
// a virtual dispatch.
//
// Node order: corners 0 to 3 on zeta = -1 and 4 to 7 on zeta = +1, each face counter-clockwise
// from (-1, -1); mid-edge nodes 8 to 11 on the bottom face, 12 to 15 on the top face, 16 to 19
// on the vertical edges. Display nodes 20 to 25 are the face centres and 26 the cell centre.
#include <array>
#include <cstdint>

namespace pvk::ibm {

inline constexpr std::int32_t N_HEXA8_NODE = 8;
inline constexpr std::int32_t N_HEXA20_NODE = 20;
inline constexpr std::int32_t N_HEXA27_DISPLAY_NODE = 27;

// Natural coordinates of the display nodes of a cell, by node number.
inline constexpr std::array<std::array<std::int8_t, 3>, N_HEXA27_DISPLAY_NODE> kHexaNodeNatural{{
    {-1, -1, -1}, {1, -1, -1}, {1, 1, -1},  {-1, 1, -1}, {-1, -1, 1}, {1, -1, 1}, {1, 1, 1},
    {-1, 1, 1},   {0, -1, -1}, {1, 0, -1},  {0, 1, -1},  {-1, 0, -1}, {0, -1, 1}, {1, 0, 1},
    {0, 1, 1},    {-1, 0, 1},  {-1, -1, 0}, {1, -1, 0},  {1, 1, 0},   {-1, 1, 0}, {0, 0, -1},
    {0, 0, 1},    {0, -1, 0},  {1, 0, 0},   {0, 1, 0},   {-1, 0, 0},  {0, 0, 0},
}};

}  // namespace pvk::ibm

template <class T>
class ShapeFuncHexaBase {
public:
  virtual ~ShapeFuncHexaBase() = default;
  virtual std::int32_t GetNodeCount() const = 0;
  // Fills n[0 .. GetNodeCount()) at (xi, eta, zeta).
  virtual void CalcShape(T xi, T eta, T zeta, T* n) const = 0;
};

template <class T>
class ShapeFuncHexa8 final : public ShapeFuncHexaBase<T> {
public:
  static constexpr std::int32_t N_NODE = pvk::ibm::N_HEXA8_NODE;

  std::int32_t GetNodeCount() const override { return N_NODE; }
  void CalcShape(T xi, T eta, T zeta, T* n) const override { Eval(xi, eta, zeta, n); }

  // Scaling by 1/8 is exact, so folding it into the z terms changes no bit of the products.
  static void Eval(T xi, T eta, T zeta, T* n) {
    const T xm = T(1) - xi, xp = T(1) + xi, ym = T(1) - eta, yp = T(1) + eta;
    constexpr T kEighth = T(0.125);
    const T zm = (T(1) - zeta) * kEighth, zp = (T(1) + zeta) * kEighth;
    const T a = xm * ym, b = xp * ym, c = xp * yp, d = xm * yp;
    n[0] = a * zm;
    n[1] = b * zm;
    n[2] = c * zm;
    n[3] = d * zm;
    n[4] = a * zp;
    n[5] = b * zp;
    n[6] = c * zp;
    n[7] = d * zp;
  }

  // sum_j N_j u[j] for the corner values u in node order, blended axis by axis: the four
  // edges along xi, then eta, then zeta. At a corner every weight is 0 or 2 and the 1/8 is
  // exact, so the corner's own value comes out bit for bit, whichever cell samples it.
  static T Interpolate(T xi, T eta, T zeta, const T* u) {
    const T xm = T(1) - xi, xp = T(1) + xi, ym = T(1) - eta, yp = T(1) + eta;
    constexpr T kEighth = T(0.125);
    const T zm = (T(1) - zeta) * kEighth, zp = (T(1) + zeta) * kEighth;
    const T e01 = xm * u[0] + xp * u[1], e32 = xm * u[3] + xp * u[2];
    const T e45 = xm * u[4] + xp * u[5], e76 = xm * u[7] + xp * u[6];
    return zm * (ym * e01 + yp * e32) + zp * (ym * e45 + yp * e76);
  }
};

template <class T>
class ShapeFuncHexa20 final : public ShapeFuncHexaBase<T> {
public:
  static constexpr std::int32_t N_NODE = pvk::ibm::N_HEXA20_NODE;

  std::int32_t GetNodeCount() const override { return N_NODE; }
  void CalcShape(T xi, T eta, T zeta, T* n) const override { Eval(xi, eta, zeta, n); }

  static void Eval(T xi, T eta, T zeta, T* n) {
    const T xm = T(1) - xi, xp = T(1) + xi, ym = T(1) - eta, yp = T(1) + eta;
    const T zm = T(1) - zeta, zp = T(1) + zeta;
    const T x2 = T(1) - xi * xi, y2 = T(1) - eta * eta, z2 = T(1) - zeta * zeta;
    constexpr T kEighth = T(0.125), kQuarter = T(0.25);
    // Corners: the product of (1 + x x_i) over the axes, times (sum of x x_i) - 2, over 8.
    n[0] = xm * ym * zm * (-xi - eta - zeta - T(2)) * kEighth;
    n[1] = xp * ym * zm * (xi - eta - zeta - T(2)) * kEighth;
    n[2] = xp * yp * zm * (xi + eta - zeta - T(2)) * kEighth;
    n[3] = xm * yp * zm * (-xi + eta - zeta - T(2)) * kEighth;
    n[4] = xm * ym * zp * (-xi - eta + zeta - T(2)) * kEighth;
    n[5] = xp * ym * zp * (xi - eta + zeta - T(2)) * kEighth;
    n[6] = xp * yp * zp * (xi + eta + zeta - T(2)) * kEighth;
    n[7] = xm * yp * zp * (-xi + eta + zeta - T(2)) * kEighth;
    // Mid-edge nodes: (1 - s^2) along the edge's axis, (1 + t t_i)(1 + u u_i) across, / 4.
    n[8] = x2 * ym * zm * kQuarter;
    n[9] = y2 * xp * zm * kQuarter;
    n[10] = x2 * yp * zm * kQuarter;
    n[11] = y2 * xm * zm * kQuarter;
    n[12] = x2 * ym * zp * kQuarter;
    n[13] = y2 * xp * zp * kQuarter;
    n[14] = x2 * yp * zp * kQuarter;
    n[15] = y2 * xm * zp * kQuarter;
    n[16] = z2 * xm * ym * kQuarter;
    n[17] = z2 * xp * ym * kQuarter;
    n[18] = z2 * xp * yp * kQuarter;
    n[19] = z2 * xm * yp * kQuarter;
  }
};
