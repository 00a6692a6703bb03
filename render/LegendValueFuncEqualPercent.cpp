#include "render/LegendValueFuncEqualPercent.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "render/LegendValueFuncEqualInterval.h"

namespace {

constexpr double R_PERCENT = 100.0;

// round(i * n / bands) without overflow: the values at or below rank i.
std::size_t AtOrBelow(std::size_t i, std::size_t n, std::size_t bands) {
  const std::size_t whole = n / bands, part = n % bands;
  return i * whole + (i * part + bands / 2) / bands;
}

// Puts the element of every position in `at` (non-decreasing) where sorting would put it,
// in O(n log k) for k positions: the middle one first, then each side within its part.
void SelectPositions(std::vector<double>& s, std::size_t first, std::size_t last,
                     std::span<const std::size_t> at) {
  if (at.empty() || first >= last) return;
  const std::size_t mid = at.size() / 2;
  const std::size_t pos = at[mid];
  std::nth_element(s.begin() + static_cast<std::ptrdiff_t>(first),
                   s.begin() + static_cast<std::ptrdiff_t>(pos),
                   s.begin() + static_cast<std::ptrdiff_t>(last));
  std::size_t lower = mid;
  while (lower > 0 && at[lower - 1] == pos) --lower;
  SelectPositions(s, first, pos, at.first(lower));
  std::size_t upper = mid + 1;
  while (upper < at.size() && at[upper] == pos) ++upper;
  SelectPositions(s, pos + 1, last, at.subspan(upper));
}

}  // namespace

void CLegendValueFuncEqualPercent::Init() {
  m_arrSeg.clear();
  m_arrPair.clear();
  m_nCount = 0;
}

void CLegendValueFuncEqualPercent::GetRankVal(zar::MTArray<double>& out) const {
  out.resize(m_arrSeg.size());
  for (std::size_t i = 0; i < m_arrSeg.size(); ++i) out[i] = m_arrSeg[i].rRankVal;
}

double CLegendValueFuncEqualPercent::Func(double value) const {
  if (m_arrSeg.size() < 2) return value;
  for (std::size_t j = 0; j + 1 < m_arrSeg.size(); ++j) {
    if (m_arrSeg[j + 1].rX0 >= value) {
      const TLegendPercentSeg& seg = m_arrSeg[j];
      return (value - seg.rX0) * seg.rSlope + seg.rValue;
    }
  }
  return value;
}

void CLegendValueFuncEqualPercent::SetData(CMPUGeomState* /*pState*/, CIBMPDLItem* /*pItem*/,
                                           const double& /*min*/, const double& /*max*/,
                                           std::int32_t /*nRank*/) {}

std::int32_t CLegendValueFuncEqualPercent::SetQuantiles(std::span<const double> values,
                                                        std::int32_t nRank) {
  Init();
  if (nRank < 2) return 0;
  std::vector<double> s;
  s.reserve(values.size());
  std::copy_if(values.begin(), values.end(), std::back_inserter(s),
               [](double v) { return std::isfinite(v); });
  if (s.empty()) return 0;

  const auto k = static_cast<std::size_t>(nRank);
  const std::size_t n = s.size(), bands = k - 1;
  std::vector<std::size_t> at(k, 0);
  for (std::size_t i = 1; i < k; ++i) at[i] = std::max<std::size_t>(AtOrBelow(i, n, bands), 1) - 1;
  SelectPositions(s, 0, n, at);

  // The mapped scale: the ranks of equal intervals over the same range.
  CLegendValueFuncEqualInterval scale;
  scale.SetData(nullptr, nullptr, s[at.front()], s[at.back()], nRank);
  zar::MTArray<double> y;
  scale.GetRankVal(y);

  m_arrSeg.resize(k);
  for (std::size_t i = 0; i < k; ++i) {
    const double x0 = s[at[i]];
    const double dx = i + 1 < k ? s[at[i + 1]] - x0 : 0.0;
    const double slope = dx > 0.0 ? (y[i + 1] - y[i]) / dx : 0.0;
    const double share = R_PERCENT * static_cast<double>(i) / static_cast<double>(bands);
    m_arrSeg[i] = {x0, share, x0, slope, y[i]};
  }
  m_nCount =
      static_cast<std::int32_t>(std::min<std::size_t>(n, std::numeric_limits<std::int32_t>::max()));
  return 1;
}
