#include "ibm/IBMGlobalVect.h"

#include <algorithm>
#include <cmath>

namespace {

// The value, its total and its three components.
constexpr std::int32_t N_VECT_COMP = 4;

}  // namespace

int CIBMGlobalVect::SetGlobal(TIBMLoadParam& param, PartialList list) {
  if (!list || list->GetSize() < 1) return 0;
  m_pMesh = param.m_pMesh;
  DoSetGlobal(param.m_pMPUData, *list);
  return 1;
}

int CIBMGlobalVect::UpdateDataRange(TIBMLoadParam& param) {
  DoCalcDataRange(param.m_pMPUData);
  return 1;
}

void CIBMGlobalVect::DoSetGlobal(const CMPUData* pData, const CPostPartialDList& list) {
  const CPostPartialD& part = *list.GetList().front();
  const std::int32_t n = part.GetDataCount();
  m_aID = *part.GetKey();
  m_aPos = *part.GetPos();
  m_aDSI.assign(n, 0);
  m_aDCT.assign(n, 0);
  m_aNoResult.assign(n, 0);
  DataIncrease(n);
  const std::int32_t nCopy = std::min({N_VECT_COMP, m_nCompCnt, part.GetCompCnt()});
  for (std::int32_t c = 0; c < nCopy; ++c) {
    const zar::MArray<double>& from = *part.GetComp(c);
    zar::MArray<double>& to = m_aComp[c];
    const std::size_t nAt = to.size() - static_cast<std::size_t>(n);
    for (std::int32_t i = 0; i < n && static_cast<std::size_t>(i) < from.size(); ++i)
      to[nAt + i] = c == 0 && std::fabs(from[i]) < R_ZERO ? 0.0 : from[i];
  }
  DoCalcDataRange(pData);
}

// Point values have no bodies: every value counts.
void CIBMGlobalVect::DoCalcDataRange(const CMPUData*) {
  m_range = {};
  const zar::MArray<double>& values = m_aComp[0];
  for (std::size_t i = 0; i < values.size(); ++i)
    m_range.Offer(values[i], static_cast<std::int32_t>(i));
}
