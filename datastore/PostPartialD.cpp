#include "datastore/PostPartialD.h"

namespace {

template <class T>
const T* FirstOrNull(const zar::MArray<T>& a) {
  return a.empty() ? nullptr : a.data();
}

}  // namespace

int CPostPartialD::Init(pvk::AMT_TYPE amt, pvk::LOC_TYPE loc, std::int32_t n) {
  const std::int32_t nCount = n == 0 ? pvk::GetDefaultCompCnt(amt) : n;
  // More columns than the block has would send readers of the flat view past its end.
  if (nCount < 1 || nCount > N_MAX_COMP) return 0;
  Clear();
  m_nAMTType = amt;
  m_nLOCType = loc;
  m_nCompCnt = nCount;
  return 1;
}

void CPostPartialD::Clear() {
  m_aFKey.clear();
  m_aFPos.clear();
  m_aKey.clear();
  for (auto& column : m_aComp) column.clear();
  m_nAMTType = static_cast<pvk::AMT_TYPE>(0);
  m_nLOCType = static_cast<pvk::LOC_TYPE>(0);
  m_nCompCnt = 0;
}

void CPostPartialD::Reset() {
  Clear();
  m_aDSI.clear();
  m_aDCT.clear();
  m_aCaseInfo.clear();
}

TPostPartialD CPostPartialD::GetStruct() const {
  TPostPartialD flat;
  flat.nAMTType = m_nAMTType;
  flat.nLOCType = m_nLOCType;
  flat.nCompCnt = m_nCompCnt;
  flat.nKeyCnt = static_cast<std::int32_t>(m_aKey.size());
  flat.nDataCnt = GetDataCount();
  flat.pKey = FirstOrNull(m_aKey);
  flat.pDSI = FirstOrNull(m_aDSI);
  flat.pDCT = FirstOrNull(m_aDCT);
  for (std::int32_t i = 0; i < m_nCompCnt; ++i) flat.pComp[i] = FirstOrNull(m_aComp[i]);
  flat.nCaseInfoCnt = m_aCaseInfo.size();
  flat.pCaseInfo = FirstOrNull(m_aCaseInfo);
  return flat;
}

zar::MArray<double>* CPostPartialD::GetComp(std::int32_t i) {
  return i >= 0 && i < N_MAX_COMP ? &m_aComp[i] : nullptr;
}

const zar::MArray<double>* CPostPartialD::GetComp(std::int32_t i) const {
  return i >= 0 && i < N_MAX_COMP ? &m_aComp[i] : nullptr;
}
