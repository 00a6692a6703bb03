#pragma once
// Shape functions of the 8-node (trilinear) and 20-node (serendipity) hexahedron over natural
// coordinates (xi, eta, zeta) in [-1, 1]. Each writes into a caller buffer of GetNodeCount()
// values; the static Eval forms let hot loops call them without a virtual dispatch.
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

  // The terms 1 -+ x are formed in double and then rounded, so that float and double agree
  // on them exactly.
  static void Eval(T xi, T eta, T zeta, T* n) {
    const T xm = Term(1.0 - double(xi)), xp = Term(1.0 + double(xi));
    const T ym = Term(1.0 - double(eta)), yp = Term(1.0 + double(eta));
    const T zm = Term(1.0 - double(zeta)), zp = Term(1.0 + double(zeta));
    constexpr T kEighth = T(0.125);
    n[0] = xm * ym * zm * kEighth;
    n[1] = xp * ym * zm * kEighth;
    n[2] = xp * yp * zm * kEighth;
    n[3] = xm * yp * zm * kEighth;
    n[4] = xm * ym * zp * kEighth;
    n[5] = xp * ym * zp * kEighth;
    n[6] = xp * yp * zp * kEighth;
    n[7] = xm * yp * zp * kEighth;
  }

private:
  static T Term(double x) { return static_cast<T>(x); }
};

template <class T>
class ShapeFuncHexa20 final : public ShapeFuncHexaBase<T> {
public:
  static constexpr std::int32_t N_NODE = pvk::ibm::N_HEXA20_NODE;

  std::int32_t GetNodeCount() const override { return N_NODE; }
  void CalcShape(T xi, T eta, T zeta, T* n) const override { Eval(xi, eta, zeta, n); }

  static void Eval(T xi, T eta, T zeta, T* n) {
    const T x[3] = {xi, eta, zeta};
    for (std::int32_t i = 0; i < pvk::ibm::N_HEXA8_NODE; ++i) n[i] = Corner(i, x);
    for (std::int32_t i = pvk::ibm::N_HEXA8_NODE; i < N_NODE; ++i) n[i] = MidEdge(i, x);
  }

private:
  // (1 + xi xi_i)(1 + eta eta_i)(1 + zeta zeta_i)(xi xi_i + eta eta_i + zeta zeta_i - 2) / 8
  static T Corner(std::int32_t i, const T (&x)[3]) {
    const auto& c = pvk::ibm::kHexaNodeNatural[i];
    const T a = x[0] * c[0], b = x[1] * c[1], d = x[2] * c[2];
    return (T(1) + a) * (T(1) + b) * (T(1) + d) * (a + b + d - T(2)) * T(0.125);
  }
  // (1 - s^2)(1 + t t_i)(1 + u u_i) / 4, s the axis on which the node sits at 0.
  static T MidEdge(std::int32_t i, const T (&x)[3]) {
    const auto& c = pvk::ibm::kHexaNodeNatural[i];
    T r = T(0.25);
    for (int k = 0; k < 3; ++k) r *= c[k] == 0 ? T(1) - x[k] * x[k] : T(1) + x[k] * c[k];
    return r;
  }
};
