#pragma once
// The sample's structure: a steel cantilever block of 4N × N × N hexahedra along x, fixed at
// x = 0 and loaded at its tip by a downward force, with the displacements and stresses of
// beam theory. Lengths in mm, forces in N.
#include <array>
#include <cstdint>
#include <vector>

struct TBeamStress {
  double xx = 0.0;  // bending
  double zx = 0.0;  // transverse shear
};

class CSampleCantilever {
public:
  static constexpr double kCell = 10.0;       // mm
  static constexpr double kYoung = 210000.0;  // N/mm²
  static constexpr double kTipLoad = 1000.0;  // N at load factor 1

  explicit CSampleCantilever(std::int32_t cells);

  std::int32_t NodeCount() const { return m_nx * m_ny * m_nz; }
  std::int32_t ElemCount() const { return (m_nx - 1) * (m_ny - 1) * (m_nz - 1); }
  // Ids from 1, x fastest.
  std::array<double, 3> NodePos(std::int32_t index) const;
  // The eight corner node indices of an element, in the hexahedron's node order.
  std::array<std::int32_t, 8> ElemNodes(std::int32_t index) const;
  std::array<double, 3> ElemCentre(std::int32_t index) const;

  // Translations and rotations at a point under the tip load times `factor`.
  std::array<double, 3> Translation(const std::array<double, 3>& p, double factor) const;
  std::array<double, 3> Rotation(const std::array<double, 3>& p, double factor) const;
  TBeamStress Stress(const std::array<double, 3>& p, double factor) const;
  double Length() const { return (m_nx - 1) * kCell; }
  double Height() const { return (m_nz - 1) * kCell; }

private:
  double Inertia() const;
  std::int32_t m_nx, m_ny, m_nz;  // nodes per direction
};

// Principal values A ≥ B ≥ C of the plane stress state (xx, zx) and their unit directions.
struct TPrincipal {
  std::array<double, 3> value;
  std::array<std::array<double, 3>, 3> dir;
};
TPrincipal PrincipalOf(const TBeamStress& s);
