#include "ibm/IBMPDLItem.h"

CIBMPDLItem::~CIBMPDLItem() = default;

zar::MArray<double>* CIBMPDLItem::GetTexCoord(std::int32_t i) {
  return i >= 0 && i < N_TEX_COORD ? &m_aTexCoord[i] : nullptr;
}

void CIBMPDLItem::ClearCapData() {
  if (m_apData[ROLE_CAP]) m_apData[ROLE_CAP]->Clear();
}

void CIBMPDLItem::Clear() {
  m_nState = 0;
  for (zar::MArray<double>& coords : m_aTexCoord) coords.clear();
  m_aNodePos.clear();
  m_apVResult.fill(nullptr);
  for (std::unique_ptr<CIBMGlobalD>& pData : m_apData) pData.reset();
}

void CIBMPDLItem::SetRole(std::int32_t nRole, CVResult* pResult,
                          std::unique_ptr<CIBMGlobalD> pData) {
  m_apVResult[nRole] = pResult;
  m_apData[nRole] = std::move(pData);
}
