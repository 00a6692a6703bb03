#include "ibm/MPUFacet.h"

void CMPUFacet::SetNodeData(zar::MArray<std::int32_t> ids,
                            zar::MArray<zar::MVector<double, 3>> pos) {
  m_aNodeIDIn = std::move(ids);
  m_aNodePosIn = std::move(pos);
}

int CMPUFacet::Compile() {
  ClearStruct();
  if (!IsInputConsistent()) return 0;
  TMPUIndexMap nodeMap;
  zar::MArray<std::int32_t> nodeIDs;
  for (const std::int32_t id : m_aNodeIDIn) AddMPUIndex(nodeMap, nodeIDs, id);
  zar::MArray<std::int32_t> facetElem;
  for (std::size_t f = 0; f < m_aElemIn[0].size(); ++f) facetElem.push_back(AddFacet(f, nodeMap));
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

bool CMPUFacet::IsInputConsistent() const {
  const std::size_t n = m_aElemIn[0].size();
  return m_aNodeIDIn.size() == m_aNodePosIn.size() && m_aElemIn[1].size() == n &&
         m_aElemIn[2].size() == n && m_aElemIn[3].size() == 3 * n;
}

std::int32_t CMPUFacet::AddFacet(std::size_t f, const TMPUIndexMap& nodeMap) {
  const std::int32_t facetID = m_aElemIn[0][f];
  m_mapFacet.try_emplace(facetID, static_cast<std::int32_t>(m_aFacetID.size()));
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
