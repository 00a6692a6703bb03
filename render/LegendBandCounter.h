#pragma once
// Counting values into the bands of a legend, and the share of each band. With ranks
// r[0] ... r[n-1] a value v goes to the first band k in 0 ... n-2 with r[k] < v <= r[k+1];
// v <= r[0] goes to band 0 and v > r[n-1] to band n-2. Values that are not finite are left
// out of the counts.
#include <cstdint>
#include <span>

#include "base/Containers.h"
#include "qve_pvk_export.h"

class PVK_API CLegendBandCounter {
public:
  // Copies the ranks; one rank makes one band that takes every value, none makes none.
  explicit CLegendBandCounter(std::span<const double> ranks);

  // Counts the values; may be called once per block of values.
  void Add(std::span<const double> values);

  // The values counted into bands, one count per rank (the last entry 0: there is no band
  // above the highest rank).
  zar::MArray<std::uint64_t> GetCounts() const;
  // count / total * 100 per rank, all 0 while nothing was counted.
  void GetPercents(zar::MTArray<double>& out) const;
  std::uint64_t GetCounted() const { return m_nCounted; }
  // Values that were left out: not finite, or no band took them (ranks that are NaN).
  std::uint64_t GetLeftOut() const { return m_nLeftOut; }

private:
  void AddSorted(std::span<const double> values);
  void AddExact(std::span<const double> values);

  zar::MArray<double> m_aRank;
  // Non-decreasing ranks count, for every rank, the finite values above it; the bands follow
  // from those counts. Other ranks count into the bands one value at a time.
  bool m_bSorted = false;
  zar::MArray<std::uint64_t> m_aCount;  // above each rank, or in each band
  std::uint64_t m_nCounted = 0;
  std::uint64_t m_nLeftOut = 0;
};

namespace pvk::legend {

// What one pass of the vector kernel counts.
struct TAboveCounts {
  std::uint64_t nNonFinite = 0;  // NaN and both infinities
  std::uint64_t nPosInf = 0;
};

// For every j, adds to above[j] the number of values v with v > ranks[j] (+infinity included),
// with the widest vector instructions the processor offers, or with the baseline ones.
TAboveCounts CountAbove(std::span<const double> values, std::span<const double> ranks,
                        std::span<std::uint64_t> above, bool baseline = false);

}  // namespace pvk::legend
