// The magnitude or phase angle of a complex pair of results.
#include <algorithm>
#include <cmath>
#include <utility>

#include "ibm/IBMPDLItem.h"
#include "vresult/VResult.h"
#include "vresult/templates/VRTmplCore.h"

namespace {

constexpr double kDegPerRad = 57.29577951308232;

bool IsPhaseResult(const CVResult* pResult) {
  return pResult && pResult->GetType() > pvk::vrtmpl::kPhaseOffset;
}

}  // namespace

void CIBMPDLItem::_Equation(std::int32_t nMain, std::int32_t nImag) {
  CIBMGlobalD* pMainD = m_apData[nMain].get();
  CIBMGlobalD* pImagD = m_apData[nImag].get();
  if (!pMainD || !pImagD || pMainD == pImagD) return;
  // The real part is the data of the base quantity, whichever role it holds: once the phase
  // angle was formed, the phase-angle result holds the main role.
  const bool bSwapped = IsPhaseResult(m_apVResult[nMain]);
  const zar::MArray<double>& re = *(bSwapped ? pImagD : pMainD)->GetCompData(0);
  const zar::MArray<double>& im = *(bSwapped ? pMainD : pImagD)->GetCompData(0);
  zar::MArray<double>& out = *pMainD->GetCompData(0);
  const bool bPhase = CheckState(STATE_PHASE) != 0;
  const std::size_t n = std::min(re.size(), im.size());
  for (std::size_t i = 0; i < n; ++i)
    out[i] =
        bPhase ? std::atan2(im[i], re[i]) * kDegPerRad : std::sqrt(re[i] * re[i] + im[i] * im[i]);
  // The main data now show the phase angle: its result takes the main role.
  if (bPhase && !bSwapped) std::swap(m_apVResult[nMain], m_apVResult[nImag]);
}
