// The magnitude or phase angle of a complex pair of results.
#include <algorithm>
#include <cmath>
#include <utility>

#include "core/ResultId.h"
#include "ibm/IBMPDLItem.h"
#include "vresult/VResult.h"

namespace {

constexpr double kDegPerRad = 57.29577951308232;

}  // namespace

bool CIBMPDLItem::IsPhaseResult(const CVResult* pResult) {
  return pResult && pResult->GetType() > pvk::kPhaseAngleOffset;
}

void CIBMPDLItem::TakePhaseRole(std::int32_t nMain, std::int32_t nImag) {
  if (IsPhaseResult(m_apVResult[nImag]) && !IsPhaseResult(m_apVResult[nMain]))
    std::swap(m_apVResult[nMain], m_apVResult[nImag]);
}

void CIBMPDLItem::_Equation(std::int32_t nMain, std::int32_t nImag) {
  CIBMGlobalD* pMainD = m_apData[nMain].get();
  const CIBMGlobalD* pImagD = m_apData[nImag].get();
  if (!pMainD || !pImagD || pMainD == pImagD) return;
  zar::MArray<double>& re = *pMainD->GetCompData(0);
  const zar::MArray<double>& im = *pImagD->GetCompData(0);
  const bool bPhase = CheckState(STATE_PHASE) != 0;
  // Data of different lengths do not belong together value by value beyond the shorter.
  const std::size_t n = std::min(re.size(), im.size());
  for (std::size_t i = 0; i < n; ++i)
    re[i] =
        bPhase ? std::atan2(im[i], re[i]) * kDegPerRad : std::sqrt(re[i] * re[i] + im[i] * im[i]);
  if (bPhase) TakePhaseRole(nMain, nImag);
}
