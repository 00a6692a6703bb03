#include "render/LegendBandCounter.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double R_PERCENT = 100.0;

}  // namespace

CLegendBandCounter::CLegendBandCounter(std::span<const double> ranks)
    : m_aRank(ranks.begin(), ranks.end()),
      m_bSorted(std::is_sorted(ranks.begin(), ranks.end()) &&
                std::none_of(ranks.begin(), ranks.end(), [](double r) { return std::isnan(r); })),
      m_aCount(ranks.size(), 0) {}

void CLegendBandCounter::Add(std::span<const double> values) {
  if (m_aRank.empty()) {
    m_nLeftOut += values.size();
    return;
  }
  if (m_bSorted)
    AddSorted(values);
  else
    AddExact(values);
}

// Only the ranks between the first and the last decide a band: for non-decreasing ranks the
// band is clamp(#{j : r[j] < v} - 1, 0, n - 2).
void CLegendBandCounter::AddSorted(std::span<const double> values) {
  const std::size_t n = m_aRank.size();
  const std::size_t inner = n > 2 ? n - 2 : 0;
  const std::span<const double> ranks = std::span<const double>(m_aRank).subspan(1, inner);
  const std::span<std::uint64_t> above = std::span<std::uint64_t>(m_aCount).subspan(1, inner);
  const pvk::legend::TAboveCounts counts = pvk::legend::CountAbove(values, ranks, above);
  // +infinity is above every rank below it but is no value to count.
  for (std::size_t j = 0; j < ranks.size(); ++j)
    if (INFINITY > ranks[j]) above[j] -= counts.nPosInf;
  m_nCounted += values.size() - counts.nNonFinite;
  m_nLeftOut += counts.nNonFinite;
}

void CLegendBandCounter::AddExact(std::span<const double> values) {
  const std::size_t n = m_aRank.size();
  const std::size_t last = n >= 2 ? n - 2 : 0;
  for (const double v : values) {
    if (!std::isfinite(v)) {
      ++m_nLeftOut;
      continue;
    }
    std::size_t band = n;  // none yet
    for (std::size_t k = 0; band == n && k + 1 < n; ++k)
      if (m_aRank[k] < v && v <= m_aRank[k + 1]) band = k;
    if (band == n && (n == 1 || v <= m_aRank[0])) band = 0;
    if (band == n && v > m_aRank[n - 1]) band = last;
    if (band == n) {
      ++m_nLeftOut;
      continue;
    }
    ++m_aCount[band];
    ++m_nCounted;
  }
}

zar::MArray<std::uint64_t> CLegendBandCounter::GetCounts() const {
  if (!m_bSorted) return m_aCount;
  const std::size_t n = m_aRank.size();
  zar::MArray<std::uint64_t> bands(n, 0);
  if (n == 1) bands[0] = m_nCounted;
  for (std::size_t b = 0; b + 2 <= n; ++b) {
    const std::uint64_t lower = b == 0 ? m_nCounted : m_aCount[b];
    const std::uint64_t upper = b + 2 == n ? 0 : m_aCount[b + 1];
    bands[b] = lower - upper;
  }
  return bands;
}

void CLegendBandCounter::GetPercents(zar::MTArray<double>& out) const {
  const zar::MArray<std::uint64_t> counts = GetCounts();
  out.assign(counts.size(), 0.0);
  if (m_nCounted == 0) return;
  const auto total = static_cast<double>(m_nCounted);
  for (std::size_t b = 0; b < counts.size(); ++b)
    out[b] = static_cast<double>(counts[b]) / total * R_PERCENT;
}
