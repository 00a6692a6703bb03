#include <algorithm>
#include <span>

#include "ibm/IBMGlobalD.h"
#include "ibm/IBMGlobalMesh.h"
#include "ibm/MeshPostUnit.h"
#include "session/PostAPI.h"

std::int32_t CIBMGlobalD::ResultNodeCount(const TMPUBodySet& set) {
  return set.m_pBndrD && set.m_pBndrD->m_nElemOrder == 1 ? N_CORNER_NODE : N_ELEM_ORG_NODE;
}

zar::MArray<std::int32_t> CIBMGlobalD::BodyElems(std::int32_t b) const {
  const TMPUBodySet& set = *m_pMPU->GetBodySets()[b];
  zar::MArray<std::int32_t> elems;
  elems.reserve(set.m_aElemID.size());
  for (const std::int32_t id : set.m_aElemID) elems.push_back(m_pMPU->GetBody().FindElemIndex(id));
  return elems;
}

void CIBMGlobalD::InitVolumeArrays() {
  const std::int32_t nNode = IPostAPI::GetGlobalDSICount(pvk::LOC_NODE, m_pMPU);
  m_aDSI.assign(nNode, 0);
  m_aDCT.assign(nNode, 0);
  m_aNoResult.assign(m_pMPU->GetBody().GetElemSize(), 1);
}

void CIBMGlobalD::SetVolumeNoResult(const zar::MArray<unsigned char>& hasValue, bool bAll8) {
  const auto& sets = m_pMPU->GetBodySets();
  for (std::int32_t b = 0; b < static_cast<std::int32_t>(sets.size()); ++b) {
    const std::int32_t n = bAll8 ? N_CORNER_NODE : ResultNodeCount(*sets[b]);
    for (const std::int32_t e : BodyElems(b)) {
      if (e < 0) continue;
      const std::span<const std::int32_t> nodes = m_pMesh->GetElemNodes(e);
      std::int32_t nWithValue = 0;
      for (std::int32_t j = 0; j < n && j < static_cast<std::int32_t>(nodes.size()); ++j)
        nWithValue += nodes[j] >= 0 && hasValue[nodes[j]];
      m_aNoResult[e] = nWithValue == n ? 0 : 1;
    }
  }
}

std::int32_t CIBMGlobalD::SetVolumeDataCount() {
  for (std::int32_t e = 0; e < static_cast<std::int32_t>(m_aNoResult.size()); ++e) {
    if (m_aNoResult[e]) continue;
    for (const std::int32_t nd : m_pMesh->GetElemNodes(e))
      if (nd >= 0) m_aDCT[nd] = 1;
  }
  std::int32_t nMarked = 0;
  for (std::size_t nd = 0; nd < m_aDCT.size(); ++nd)
    if (m_aDCT[nd]) m_aDSI[nd] = nMarked++;
  return nMarked;
}

void CIBMGlobalD::CalcVolumeRange(const CMPUData* pData, bool bAll8) {
  m_aBndrRange.assign(m_pMPU ? m_pMPU->GetBodyCount() : 0, {});
  m_range = {};
  if (!m_pMPU || !m_pMesh ||
      m_aDCT.size() != static_cast<std::size_t>(m_pMPU->GetBody().GetNodeSize()))
    return;
  zar::MArray<unsigned char> offered(m_aDCT.size(), 0);
  const auto& sets = m_pMPU->GetBodySets();
  for (std::int32_t b = 0; b < static_cast<std::int32_t>(sets.size()); ++b) {
    if (!m_pMPU->IsBodyShowingResult(b, pData)) continue;
    const std::int32_t n = bAll8 ? N_CORNER_NODE : ResultNodeCount(*sets[b]);
    for (const std::int32_t e : BodyElems(b)) {
      if (e < 0 || m_aNoResult[e]) continue;
      const std::span<const std::int32_t> nodes = m_pMesh->GetElemNodes(e);
      for (std::int32_t j = 0; j < n && j < static_cast<std::int32_t>(nodes.size()); ++j) {
        const std::int32_t nd = nodes[j];
        if (nd < 0 || !m_aDCT[nd] || offered[nd]) continue;
        offered[nd] = 1;
        m_aBndrRange[b].Offer(m_aComp[0][m_aDSI[nd]], nd);
      }
    }
  }
  MergeBndrRanges();
}

zar::MArray<std::int32_t> CIBMGlobalD::NodeRows(const CPostPartialD& part) const {
  zar::MArray<std::int32_t> rows(m_pMPU->GetBody().GetNodeSize(), -1);
  const zar::MArray<std::int32_t>& keys = *part.GetKey();
  // Only rows that every column holds: a short column must not be read past its end.
  std::size_t nRow = keys.size();
  for (std::int32_t c = 0; c < part.GetCompCnt(); ++c)
    nRow = std::min(nRow, part.GetComp(c)->size());
  for (std::size_t r = 0; r < nRow; ++r) {
    const std::int32_t nd = m_pMPU->GetBody().FindNodeIndex(keys[r]);
    if (nd >= 0 && rows[nd] < 0) rows[nd] = static_cast<std::int32_t>(r);
  }
  return rows;
}
