#include "ibm/MPUFacet.h"

void CMPUFacet::SetNodeData(zar::MArray<std::int32_t> ids,
                            zar::MArray<zar::MVector<double, 3>> pos) {
  m_aNodeIDIn = std::move(ids);
  m_aNodePosIn = std::move(pos);
}

int CMPUFacet::Compile() {
  ClearStruct();
  m_strReason = CheckInput();
  if (!m_strReason.IsEmpty()) return 0;
  // A node id that repeats names its first position.
  TMPUIndexMap nodeMap;
  for (std::size_t n = 0; n < m_aNodeIDIn.size(); ++n)
    nodeMap.try_emplace(m_aNodeIDIn[n], static_cast<std::int32_t>(n));
  zar::MArray<std::int32_t> facetElem;
  for (std::size_t f = 0; f < m_aElemIn[0].size(); ++f) {
    facetElem.push_back(AddFacet(f, nodeMap));
    if (facetElem.back() < 0) {
      m_strReason.Format(L"facet id %d repeats", m_aElemIn[0][f]);
      ClearStruct();
      return 0;
    }
  }
  BuildElemFacets(facetElem);
  return 1;
}

void CMPUFacet::ClearStruct() {
  m_aFacet.clear();
  m_aFacetID.clear();
  m_mapFacet.clear();
  m_aElemID.clear();
  m_mapElem.clear();
  m_aElemFacetCnt.clear();
  m_aElemFacetStart.clear();
  m_aElemFacet.clear();
  m_aGroup.clear();
  m_mapBody.clear();
}

std::span<const std::int32_t> CMPUFacet::GetElemFacets(std::int32_t idx) const {
  return std::span(m_aElemFacet).subspan(m_aElemFacetStart.at(idx), m_aElemFacetCnt.at(idx));
}

CString CMPUFacet::CheckInput() const {
  const std::size_t n = m_aElemIn[0].size();
  CString why;
  if (m_aNodeIDIn.size() != m_aNodePosIn.size())
    why.Format(L"%d facet node ids with %d positions", static_cast<int>(m_aNodeIDIn.size()),
               static_cast<int>(m_aNodePosIn.size()));
  else if (m_aElemIn[1].size() != n || m_aElemIn[2].size() != n || m_aElemIn[3].size() != 3 * n)
    why.Format(L"%d facets with %d element ids, %d body ids and %d node ids", static_cast<int>(n),
               static_cast<int>(m_aElemIn[1].size()), static_cast<int>(m_aElemIn[2].size()),
               static_cast<int>(m_aElemIn[3].size()));
  return why;
}

std::int32_t CMPUFacet::AddFacet(std::size_t f, const TMPUIndexMap& nodeMap) {
  const std::int32_t facetID = m_aElemIn[0][f];
  if (!m_mapFacet.try_emplace(facetID, static_cast<std::int32_t>(m_aFacetID.size())).second)
    return -1;
  m_aFacetID.push_back(facetID);
  TMPUFacetRec& rec = m_aFacet.emplace_back();
  for (std::size_t k = 0; k < 3; ++k)
    rec.m_aNode[k] = FindMPUIndex(nodeMap, m_aElemIn[3][3 * f + k]);
  AddToGroup(m_aElemIn[2][f], facetID);
  return AddToElem(m_aElemIn[1][f]);
}

std::int32_t CMPUFacet::AddToElem(std::int32_t elemID) {
  const std::int32_t elemIdx = AddMPUIndex(m_mapElem, m_aElemID, elemID);
  m_aElemFacetCnt.resize(m_aElemID.size(), 0);
  ++m_aElemFacetCnt[elemIdx];
  return elemIdx;
}

void CMPUFacet::AddToGroup(std::int32_t bodyID, std::int32_t facetID) {
  const auto [it, added] =
      m_mapBody.try_emplace(bodyID, static_cast<std::int32_t>(m_aGroup.size()));
  if (added) m_aGroup.push_back({bodyID, {}});
  m_aGroup[it->second].m_aFacetID.push_back(facetID);
}

// Counting sort of the facets by element, keeping facet order within an element.
void CMPUFacet::BuildElemFacets(const zar::MArray<std::int32_t>& facetElem) {
  m_aElemFacetStart.assign(m_aElemFacetCnt.size(), 0);
  for (std::size_t e = 1; e < m_aElemFacetCnt.size(); ++e)
    m_aElemFacetStart[e] = m_aElemFacetStart[e - 1] + m_aElemFacetCnt[e - 1];
  zar::MArray<std::int32_t> next = m_aElemFacetStart;
  m_aElemFacet.resize(facetElem.size());
  for (std::size_t f = 0; f < facetElem.size(); ++f)
    m_aElemFacet[next[facetElem[f]]++] = static_cast<std::int32_t>(f);
}
