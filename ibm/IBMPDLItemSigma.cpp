// The sigma level of an RMS result.
#include "ibm/IBMPDLItem.h"
#include "ibm/MPUPostProvider.h"

int CIBMPDLItem::_Sigma(std::int32_t nRole, TIBMLoadParam& param) {
  const CVResult* pResult = m_apVResult[nRole];
  CIBMGlobalD* pData = m_apData[nRole].get();
  double factor = 1.0;
  if (!pResult || !pData || !param.m_pMPUProvider ||
      !param.m_pMPUProvider->GetSigmaFactor(*pResult, factor))
    return 0;
  for (std::int32_t c = 0; c < CIBMGlobalD::N_MAX_COMP; ++c)
    for (double& value : *pData->GetCompData(c)) value *= factor;
  return 1;
}
