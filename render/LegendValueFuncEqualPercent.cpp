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

// The rank that leaves nearest to `target` of the sorted values at or below it: the value at
// that position, or, when more of its ties lie above the target than below, the value before
// the ties.
double RankNear(const std::vector<double>& s, std::size_t target) {
  const double v = s[std::max<std::size_t>(target, 1) - 1];
  const auto lo = static_cast<std::size_t>(std::lower_bound(s.begin(), s.end(), v) - s.begin());
  const auto hi = static_cast<std::size_t>(std::upper_bound(s.begin(), s.end(), v) - s.begin());
  return lo == 0 || hi - target <= target - lo ? v : s[lo - 1];
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
  std::sort(s.begin(), s.end());
  std::vector<double> x(k);
  x.front() = s.front();
  for (std::size_t i = 1; i < bands; ++i)
    x[i] = std::max(x[i - 1], RankNear(s, AtOrBelow(i, n, bands)));
  x.back() = s.back();

  // The mapped scale: the ranks of equal intervals over the same range.
  CLegendValueFuncEqualInterval scale;
  scale.SetData(nullptr, nullptr, x.front(), x.back(), nRank);
  zar::MTArray<double> y;
  scale.GetRankVal(y);

  m_arrSeg.resize(k);
  for (std::size_t i = 0; i < k; ++i) {
    const double dx = i + 1 < k ? x[i + 1] - x[i] : 0.0;
    const double slope = dx > 0.0 ? (y[i + 1] - y[i]) / dx : 0.0;
    const double share = R_PERCENT * static_cast<double>(i) / static_cast<double>(bands);
    m_arrSeg[i] = {x[i], share, x[i], slope, y[i]};
  }
  m_nCount =
      static_cast<std::int32_t>(std::min<std::size_t>(n, std::numeric_limits<std::int32_t>::max()));
  return 1;
}
