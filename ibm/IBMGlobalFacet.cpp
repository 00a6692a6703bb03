#include "ibm/IBMGlobalFacet.h"

#include "ibm/MeshPostUnit.h"
#include "session/PostAPI.h"

int CIBMGlobalFacet::SetGlobal(TIBMLoadParam& param, PartialList list) {
  if (!list || list->GetSize() < 1) return 0;
  m_pMesh = param.m_pMesh;
  DoSetGlobal(param.m_pMPUData, *list);
  return 1;
}

int CIBMGlobalFacet::UpdateDataRange(TIBMLoadParam& param) {
  DoCalcDataRange(param.m_pMPUData);
  return 1;
}

void CIBMGlobalFacet::DoSetGlobal(const CMPUData* pData, const CPostPartialDList& list) {
  const CPostPartialD& part = *list.GetList().front();
  if (!m_pMPU || part.GetLOCType() != pvk::LOC_FACET) return;
  InitArrays(part.GetDataCount());
  SetComponents(part);
  SetNoResultElem();
  DoCalcDataRange(pData);
}

void CIBMGlobalFacet::InitArrays(std::int32_t nData) {
  m_aNoResult.assign(m_pMPU->GetFacet().GetElemSize(), 1);
  for (std::int32_t c = 0; c < m_nCompCnt; ++c) m_aComp[c].assign(nData, 0.0);
  const std::int32_t nFacet = IPostAPI::GetGlobalDSICount(pvk::LOC_FACET, m_pMPU);
  m_aDSI.assign(nFacet, 0);
  m_aDCT.assign(nFacet, 0);
}

// Row i of the block goes to the facet its key names.
void CIBMGlobalFacet::SetComponents(const CPostPartialD& part) {
  const CMPUFacet& facet = m_pMPU->GetFacet();
  const zar::MArray<std::int32_t>& keys = *part.GetKey();
  const std::int32_t nData = part.GetDataCount();
  for (std::int32_t i = 0; i < nData && static_cast<std::size_t>(i) < keys.size(); ++i) {
    const std::int32_t f = facet.FindFacetIndex(keys[i]);
    if (f < 0) continue;
    for (std::int32_t c = 0; c < m_nCompCnt && c < part.GetCompCnt(); ++c) {
      const zar::MArray<double>& from = *part.GetComp(c);
      if (static_cast<std::size_t>(i) < from.size()) m_aComp[c][i] = from[i];
    }
    m_aDSI[f] = i;
    m_aDCT[f] = 1;
  }
}

// An element can be coloured when every one of its facets has a value.
void CIBMGlobalFacet::SetNoResultElem() {
  const CMPUFacet& facet = m_pMPU->GetFacet();
  for (std::int32_t e = 0; e < facet.GetElemSize(); ++e) {
    std::int32_t nWithValue = 0;
    for (const std::int32_t f : facet.GetElemFacets(e)) nWithValue += m_aDCT[f];
    m_aNoResult[e] = nWithValue == facet.GetElemFacetCount(e) ? 0 : 1;
  }
}

void CIBMGlobalFacet::DoCalcDataRange(const CMPUData* pData) {
  m_range = {};
  if (!m_pMPU || m_nLOCType != pvk::LOC_FACET) return;
  const CMPUFacet& facet = m_pMPU->GetFacet();
  // Before the first fill there is nothing to range over.
  if (m_aDCT.size() != static_cast<std::size_t>(facet.GetFacetSize())) return;
  m_aBndrRange.assign(m_pMPU->GetBodyCount(), {});
  for (const TMPUFacetGroup& group : *facet.GetStruct().m_pGroup) {
    const std::int32_t b = m_pMPU->FindBodyIndex(group.m_nBodyID);
    if (!m_pMPU->IsBodyShowingResult(b, pData)) continue;
    for (const std::int32_t id : group.m_aFacetID) {
      const std::int32_t f = facet.FindFacetIndex(id);
      if (f >= 0 && m_aDCT[f]) m_aBndrRange[b].Offer(m_aComp[0][m_aDSI[f]], f);
    }
  }
  MergeBndrRanges();
}
