#include "render/LegendValueFuncEqualInterval.h"

#include <cmath>

namespace {

// The last fraction counts as 1 within this distance, and its rank is the maximum exactly.
constexpr double R_LAST_FRACTION_TOL = 1e-15;

}  // namespace

void CLegendValueFuncEqualInterval::Init() {
  m_nRankCnt = 0;
  zar::MTArray<double>().swap(m_arrRankVal);
}

void CLegendValueFuncEqualInterval::SetData(CMPUGeomState* /*pState*/, CIBMPDLItem* /*pItem*/,
                                            const double& min, const double& max,
                                            std::int32_t nRank) {
  Init();
  if (nRank <= 0) return;
  m_nRankCnt = nRank;
  m_arrRankVal.resize(static_cast<std::size_t>(nRank));
  const double d = max - min;
  const float last = static_cast<float>(nRank - 1);
  for (std::int32_t i = 0; i + 1 < nRank; ++i) {
    const double t = static_cast<float>(i) / last;
    m_arrRankVal[static_cast<std::size_t>(i)] = t * d + min;
  }
  // One rank has no fraction (0 / 0): it is the maximum, as every last rank is.
  const double t = nRank > 1 ? static_cast<double>(static_cast<float>(nRank - 1) / last) : 1.0;
  m_arrRankVal.back() = std::fabs(t - 1.0) < R_LAST_FRACTION_TOL ? max : t * d + min;
}
