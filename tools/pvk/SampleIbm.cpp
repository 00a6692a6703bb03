#include "SampleIbm.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

constexpr double kDensitySpan = 130.0;  // x + y + z at the far corner of the parts, mm

TSamplePoint Cross(const TSamplePoint& a, const TSamplePoint& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

}  // namespace

std::array<std::int32_t, 3> TSampleGrid::Cells() const {
  return {(number[0] - 1) / order, (number[1] - 1) / order, (number[2] - 1) / order};
}

TSamplePoint TSampleGrid::Pos(std::int32_t i, std::int32_t j, std::int32_t k) const {
  const std::array<std::int32_t, 3> idx = {i, j, k};
  TSamplePoint l{};
  for (std::size_t a = 0; a < 3; ++a)
    l[a] = minimum[a] + idx[a] * ((maximum[a] - minimum[a]) / (number[a] - 1));
  if (!local) return l;
  const TSamplePoint axisY = Cross(axisZ, axisX);
  TSamplePoint p = origin;
  for (std::size_t c = 0; c < 3; ++c) p[c] += l[0] * axisX[c] + l[1] * axisY[c] + l[2] * axisZ[c];
  return p;
}

std::int32_t TSampleGrid::NodeID(std::int32_t i, std::int32_t j, std::int32_t k) const {
  return nidStart + i + (j + k * number[1]) * number[0];
}

// Part 1 is a block with a step in its top that leaves the grid's last row of cells empty;
// part 2 a block without one corner cell.
bool TSampleGrid::IsInside(std::int32_t ci, std::int32_t cj, std::int32_t ck) const {
  if (partID == 1) return cj < 2 && (ci < 2 || ck < 1);
  return ci < 1 || cj < 1 || ck < 1;
}

CSampleIbm::CSampleIbm()
    : m_aGrid{
          {1, 1, 1, {5, 4, 3}, {0, 0, 0}, {40, 30, 20}, false, {}, {}, {}},
          {2, 2, 61, {5, 5, 5}, {0, 0, 0}, {20, 20, 20}, true, {80, 0, 0}, {0, 1, 0}, {0, 0, 1}}} {
  std::map<std::int32_t, TSamplePoint> nodes;
  for (const TSampleGrid& g : m_aGrid) {
    const auto cells = g.Cells();
    for (std::int32_t ck = 0; ck < cells[2]; ++ck)
      for (std::int32_t cj = 0; cj < cells[1]; ++cj)
        for (std::int32_t ci = 0; ci < cells[0]; ++ci) {
          if (!g.IsInside(ci, cj, ck)) continue;
          for (std::int32_t c = 0; c <= g.order; ++c)
            for (std::int32_t b = 0; b <= g.order; ++b)
              for (std::int32_t a = 0; a <= g.order; ++a) {
                const std::int32_t i = ci * g.order + a, j = cj * g.order + b;
                const std::int32_t k = ck * g.order + c;
                nodes.emplace(g.NodeID(i, j, k), g.Pos(i, j, k));
              }
        }
  }
  for (const auto& [id, pos] : nodes) {
    m_aNodeID.push_back(id);
    m_aNodePos.push_back(pos);
  }
}

TSamplePoint CSampleIbm::Displacement(const TSamplePoint& p) {
  return {1e-4 * p[0], 2e-4 * p[1], -5e-5 * p[2]};
}

std::array<double, 6> CSampleIbm::Stress(const TSamplePoint& p) {
  return {100 + 2 * p[0], 50 - p[1], 10 + 0.5 * p[2], 5 + 0.1 * p[0], 0.2 * p[1], -3};
}

double CSampleIbm::Density(const TSamplePoint& p) {
  return std::clamp((p[0] + p[1] + p[2]) / kDensitySpan, 0.0, 1.0);
}

// A mean stress correction makes Goodman and Gerber harsher than none: their curves start lower.
double CSampleIbm::Damage(const TSamplePoint& p, std::int32_t fatigueType) {
  const std::array<double, 6> s = Stress(p);
  const double a = s[0] - s[1], b = s[1] - s[2], c = s[2] - s[0];
  const double vonMises =
      std::sqrt((a * a + b * b + c * c + 6.0 * (s[3] * s[3] + s[4] * s[4] + s[5] * s[5])) / 2.0);
  const double lower = CurveLower(fatigueType);
  return std::clamp(100.0 * (vonMises - lower) / (kCurveUpper - lower), 0.0, 100.0);
}
