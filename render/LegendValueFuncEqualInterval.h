#pragma once
// Ranks evenly spaced between minimum and maximum; values drawn as they are.
#include <cstdint>

#include "qve_pvk_export.h"
#include "render/LegendValueFunc.h"

class PVK_API CLegendValueFuncEqualInterval : public ILegendValueFunc {
public:
  CLegendValueFuncEqualInterval() = default;
  CLegendValueFuncEqualInterval(const CLegendValueFuncEqualInterval&) = default;
  CLegendValueFuncEqualInterval& operator=(const CLegendValueFuncEqualInterval&) = default;

  void Init() override;
  void GetRankVal(zar::MTArray<double>& out) const override { out = m_arrRankVal; }
  double Func(double value) const override { return value; }
  // The fraction of rank i is i / (n - 1) in single precision, as the legend has always drawn
  // it; the last rank is the maximum exactly. The state and item are not used.
  void SetData(CMPUGeomState* pState, CIBMPDLItem* pItem, const double& min, const double& max,
               std::int32_t nRank) override;

  std::int32_t GetRankCnt() const { return m_nRankCnt; }

private:
  std::int32_t m_nRankCnt = 0;
  zar::MTArray<double> m_arrRankVal;
};
