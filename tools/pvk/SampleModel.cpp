#include "SampleModel.h"

#include <cmath>

CSampleCantilever::CSampleCantilever(std::int32_t cells)
    : m_nx(4 * cells + 1), m_ny(cells + 1), m_nz(cells + 1) {}

std::array<double, 3> CSampleCantilever::NodePos(std::int32_t index) const {
  const std::int32_t i = index % m_nx;
  const std::int32_t j = index / m_nx % m_ny;
  const std::int32_t k = index / (m_nx * m_ny);
  return {i * kCell, j * kCell, k * kCell};
}

std::array<std::int32_t, 8> CSampleCantilever::ElemNodes(std::int32_t index) const {
  const std::int32_t ex = m_nx - 1, ey = m_ny - 1;
  const std::int32_t i = index % ex, j = index / ex % ey, k = index / (ex * ey);
  const std::int32_t n0 = i + j * m_nx + k * m_nx * m_ny;
  const std::int32_t up = m_nx * m_ny;
  // Bottom face counter-clockwise seen from +z, then the top face above it.
  return {n0,      n0 + 1,      n0 + 1 + m_nx,      n0 + m_nx,
          n0 + up, n0 + 1 + up, n0 + 1 + m_nx + up, n0 + m_nx + up};
}

std::array<double, 3> CSampleCantilever::ElemCentre(std::int32_t index) const {
  const std::array<double, 3> p = NodePos(ElemNodes(index)[0]);
  return {p[0] + kCell / 2, p[1] + kCell / 2, p[2] + kCell / 2};
}

double CSampleCantilever::Inertia() const {
  const double b = (m_ny - 1) * kCell, h = Height();
  return b * h * h * h / 12.0;
}

std::array<double, 3> CSampleCantilever::Translation(const std::array<double, 3>& p,
                                                     double factor) const {
  const double P = kTipLoad * factor, L = Length(), EI = kYoung * Inertia();
  const double x = p[0], z = p[2] - Height() / 2;
  const double slope = -P * x * (2 * L - x) / (2 * EI);
  return {-z * slope, 0.0, -P * x * x * (3 * L - x) / (6 * EI)};
}

std::array<double, 3> CSampleCantilever::Rotation(const std::array<double, 3>& p,
                                                  double factor) const {
  const double P = kTipLoad * factor, L = Length(), EI = kYoung * Inertia();
  const double x = p[0];
  // The axis turns down towards -z: a positive rotation about y.
  return {0.0, P * x * (2 * L - x) / (2 * EI), 0.0};
}

TBeamStress CSampleCantilever::Stress(const std::array<double, 3>& p, double factor) const {
  const double P = kTipLoad * factor, c = Height() / 2, z = p[2] - c;
  return {P * (Length() - p[0]) * z / Inertia(), -P * (c * c - z * z) / (2 * Inertia())};
}

TPrincipal PrincipalOf(const TBeamStress& s) {
  const double r = std::hypot(s.xx / 2, s.zx);
  const double angle = 0.5 * std::atan2(2 * s.zx, s.xx);
  const double c = std::cos(angle), sn = std::sin(angle);
  // In the x-z plane the larger value is never negative and the smaller never positive, so
  // the out-of-plane zero lies between them.
  return {{s.xx / 2 + r, 0.0, s.xx / 2 - r}, {{{c, 0.0, sn}, {0.0, 1.0, 0.0}, {-sn, 0.0, c}}}};
}
