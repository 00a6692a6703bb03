#pragma once
// The grid sample: a static analysis of two parts on regular grids of hexahedral cells, as an
// implicit-boundary-method solver writes it. Part 1 has linear cells in the global axes, part 2
// quadratic cells in local axes turned a quarter about z; in each some cells lie outside the
// part, so neither grid is flagged whole, and part 1 leaves a whole row of its grid empty.
// Lengths in mm, forces in N.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

using TSamplePoint = std::array<double, 3>;

struct TSampleGrid {
  std::int32_t partID;
  std::int32_t order;     // 1 linear cells, 2 quadratic cells
  std::int32_t nidStart;  // the id of point (0, 0, 0)
  std::array<std::int32_t, 3> number;
  TSamplePoint minimum, maximum;  // the box in the grid's axes
  bool local;                     // in the local axes below, else in the global ones
  TSamplePoint origin, axisX, axisZ;

  std::array<std::int32_t, 3> Cells() const;
  // The global position of point (i, j, k).
  TSamplePoint Pos(std::int32_t i, std::int32_t j, std::int32_t k) const;
  std::int32_t NodeID(std::int32_t i, std::int32_t j, std::int32_t k) const;
  // Whether the cell lies inside the part.
  bool IsInside(std::int32_t ci, std::int32_t cj, std::int32_t ck) const;
};

class CSampleIbm {
public:
  CSampleIbm();

  const std::vector<TSampleGrid>& Grids() const { return m_aGrid; }
  // The grid nodes with results: every point of the cells inside the parts, ascending.
  const std::vector<std::int32_t>& NodeIDs() const { return m_aNodeID; }
  const std::vector<TSamplePoint>& NodePos() const { return m_aNodePos; }

  // The fields at a point: displacement, the stress tensor (xx, yy, zz, xy, yz, zx) and the
  // material density of the topology optimisation in [0, 1], each linear inside the parts, and
  // the fatigue damage in percent of each of the three fatigue types (none, Goodman, Gerber):
  // the type's damage curve at the von Mises stress.
  static TSamplePoint Displacement(const TSamplePoint& p);
  static std::array<double, 6> Stress(const TSamplePoint& p);
  static double Density(const TSamplePoint& p);
  static double Damage(const TSamplePoint& p, std::int32_t fatigueType);

  static constexpr double kMaxLife = 1e7;  // cycles
  // The damage curves rise evenly from 0 at their lower stress to 100 at the upper one, N/mm².
  static constexpr double kCurveUpper = 400.0;
  static double CurveLower(std::int32_t fatigueType) { return 100.0 - 20.0 * fatigueType; }

private:
  std::vector<TSampleGrid> m_aGrid;
  std::vector<std::int32_t> m_aNodeID;
  std::vector<TSamplePoint> m_aNodePos;
};

// Writes the result file; the reason of a failure, or empty. A failed write leaves no file.
std::string WriteIbmSampleFile(const std::string& path);
