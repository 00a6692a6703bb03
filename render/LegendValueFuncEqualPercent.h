#pragma once
// Ranks and a piecewise-linear map taken from a segment table, so that each band of the legend
// can hold an equal share of the values.
#include <cstdint>
#include <span>

#include "qve_pvk_export.h"
#include "render/LegendValueFunc.h"

// One segment of the map, and the rank that starts it.
struct TLegendPercentSeg {
  double rRankVal = 0.0;
  double rShare = 0.0;  // kept, not read: the percentage of the values meant to lie below
  double rX0 = 0.0;     // the segment's lower bound
  double rSlope = 0.0;
  double rValue = 0.0;  // the mapped value at rX0
};
static_assert(sizeof(TLegendPercentSeg) == 5 * sizeof(double));

// Kept and copied with the function; nothing here reads it.
struct TLegendPercentPair {
  double rFirst = 0.0;
  double rSecond = 0.0;
};
static_assert(sizeof(TLegendPercentPair) == 16);

class PVK_API CLegendValueFuncEqualPercent : public ILegendValueFunc {
public:
  CLegendValueFuncEqualPercent() = default;
  CLegendValueFuncEqualPercent(const CLegendValueFuncEqualPercent&) = default;
  CLegendValueFuncEqualPercent& operator=(const CLegendValueFuncEqualPercent&) = default;

  // Empties the table, keeping its storage.
  void Init() override;
  void GetRankVal(zar::MTArray<double>& out) const override;
  // Through the first segment whose successor starts at or above the value; the value itself
  // above the last bound or without segments.
  double Func(double value) const override;
  // Does nothing: the table keeps what it held.
  void SetData(CMPUGeomState* pState, CIBMPDLItem* pItem, const double& min, const double& max,
               std::int32_t nRank) override;

  // Fills the table with `nRank` ranks from the finite values, so that the legend's counting
  // rule puts an equal share of them into each band: rank 0 is the minimum, the last rank the
  // maximum, and rank i leaves round(i * count / (nRank - 1)) of the values in order at or
  // below it. Equal values stay in one band: a run of them that spans that position goes below
  // the rank or above it, whichever leaves the nearer count. The map takes rank i to the i-th
  // of `nRank` equal intervals from minimum to maximum. Values that are not finite are left
  // out. Returns 0 with an empty table when nRank < 2 or no value is finite.
  std::int32_t SetQuantiles(std::span<const double> values, std::int32_t nRank);

  const zar::MArray<TLegendPercentSeg>& GetSegments() const { return m_arrSeg; }
  const zar::MArray<TLegendPercentPair>& GetPairs() const { return m_arrPair; }
  // The finite values that the table was filled from, at most INT32_MAX.
  std::int32_t GetCount() const { return m_nCount; }

private:
  zar::MArray<TLegendPercentSeg> m_arrSeg;
  zar::MArray<TLegendPercentPair> m_arrPair;
  std::int32_t m_nCount = 0;
};
