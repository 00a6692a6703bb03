#include "datastore/PostPartialD.h"

#include <utility>

namespace {

template <class T>
const T* FirstOrNull(const zar::MArray<T>& a) {
  return a.empty() ? nullptr : a.data();
}

// Empties the array for its readers; its storage, at its size, goes out of sight.
template <class T>
void Retire(zar::MArray<T>& live, zar::MArray<T>& spare) {
  if (live.capacity() == 0) return;
  spare = std::move(live);
  live.clear();
}

// The array for a fill that appends or assigns: empty, on the storage it had.
template <class T>
zar::MArray<T>* Revive(zar::MArray<T>& live, zar::MArray<T>& spare) {
  if (spare.capacity() == 0) return &live;
  if (live.capacity() == 0) {
    live = std::move(spare);
    live.clear();
  }
  zar::MArray<T>().swap(spare);
  return &live;
}

// The array for a fill that overwrites it: the last fill's values, stale, at their size.
template <class T>
zar::MArray<T>* ForOverwrite(zar::MArray<T>& live, zar::MArray<T>& spare) {
  if (spare.capacity() == 0) return &live;
  if (live.empty()) live = std::move(spare);
  zar::MArray<T>().swap(spare);
  return &live;
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
  Retire(m_aKey, m_spareKey.a);
  for (std::int32_t i = 0; i < N_MAX_COMP; ++i) Retire(m_aComp[i], m_spareComp[i].a);
  m_nAMTType = static_cast<pvk::AMT_TYPE>(0);
  m_nLOCType = static_cast<pvk::LOC_TYPE>(0);
  m_nCompCnt = 0;
}

void CPostPartialD::Reset() {
  Clear();
  Retire(m_aDSI, m_spareDSI.a);
  Retire(m_aDCT, m_spareDCT.a);
  m_aCaseInfo.clear();
}

zar::MArray<std::int32_t>* CPostPartialD::GetKeyForOverwrite() {
  return ForOverwrite(m_aKey, m_spareKey.a);
}

zar::MArray<std::int32_t>* CPostPartialD::GetDSIForOverwrite() {
  return ForOverwrite(m_aDSI, m_spareDSI.a);
}

zar::MArray<std::int32_t>* CPostPartialD::GetDCTForOverwrite() {
  return ForOverwrite(m_aDCT, m_spareDCT.a);
}

zar::MArray<double>* CPostPartialD::GetCompForOverwrite(std::int32_t i) {
  return i >= 0 && i < N_MAX_COMP ? ForOverwrite(m_aComp[i], m_spareComp[i].a) : nullptr;
}

zar::MArray<std::int32_t>* CPostPartialD::GetKey() { return Revive(m_aKey, m_spareKey.a); }

zar::MArray<std::int32_t>* CPostPartialD::GetDSI() { return Revive(m_aDSI, m_spareDSI.a); }

zar::MArray<std::int32_t>* CPostPartialD::GetDCT() { return Revive(m_aDCT, m_spareDCT.a); }

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
  return i >= 0 && i < N_MAX_COMP ? Revive(m_aComp[i], m_spareComp[i].a) : nullptr;
}

const zar::MArray<double>* CPostPartialD::GetComp(std::int32_t i) const {
  return i >= 0 && i < N_MAX_COMP ? &m_aComp[i] : nullptr;
}
