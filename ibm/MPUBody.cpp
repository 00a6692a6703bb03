#include "ibm/MPUBody.h"

#include <algorithm>

namespace {

template <class T>
const T* DataOrNull(const zar::MArray<T>& a) {
  return a.empty() ? nullptr : a.data();
}

}  // namespace

std::span<const std::int32_t> CMPUBody::GetNodeElems(std::int32_t idx) const {
  return std::span(m_aNodeElem).subspan(m_aNodeElemStart.at(idx), m_aNodeElemCnt.at(idx));
}

std::span<const std::int32_t> CMPUBody::GetElemNodes(std::int32_t idx) const {
  return std::span(m_aElemNode).subspan(m_aElemNodeStart.at(idx), m_aElemNodeCnt.at(idx));
}

TMPUBodyStruct CMPUBody::GetStruct() const {
  return {GetNodeSize(),
          GetElemSize(),
          DataOrNull(m_aNodeID),
          DataOrNull(m_aNodePos),
          DataOrNull(m_aNodeElemCnt),
          DataOrNull(m_aNodeElemStart),
          DataOrNull(m_aNodeElem),
          DataOrNull(m_aElemID),
          DataOrNull(m_aElemNodeCnt),
          DataOrNull(m_aElemNodeStart),
          DataOrNull(m_aElemNode)};
}

void CMPUBody::Build(const zar::MArray<std::unique_ptr<TMPUBodySet>>& sets) {
  Clear();
  for (const auto& set : sets) {
    for (const std::int32_t id : set->m_aNodeID) AddNode(id, {});
    for (const std::int32_t id : set->m_aElemID) AddElem(id, {});
  }
  FinishElems();
}

void CMPUBody::Clear() {
  for (auto* a : {&m_aNodeID, &m_aElemID, &m_aNodeElemCnt, &m_aNodeElemStart, &m_aNodeElem,
                  &m_aElemNodeCnt, &m_aElemNodeStart, &m_aElemNode})
    a->clear();
  m_aNodePos.clear();
  m_mapNode.clear();
  m_mapElem.clear();
}

std::int32_t CMPUBody::AddNode(std::int32_t id, const zar::MVector<double, 3>& pos) {
  const auto idx = static_cast<std::int32_t>(m_aNodeID.size());
  if (!m_mapNode.try_emplace(id, idx).second) return -1;
  m_aNodeID.push_back(id);
  m_aNodePos.push_back(pos);
  return idx;
}

std::int32_t CMPUBody::AddElem(std::int32_t id, std::span<const std::int32_t> nodes) {
  const std::int32_t nodeSize = GetNodeSize();
  if (std::any_of(nodes.begin(), nodes.end(),
                  [nodeSize](std::int32_t n) { return n < 0 || n >= nodeSize; }))
    return -1;
  const auto idx = static_cast<std::int32_t>(m_aElemID.size());
  if (!m_mapElem.try_emplace(id, idx).second) return -1;
  m_aElemID.push_back(id);
  m_aElemNodeCnt.push_back(static_cast<std::int32_t>(nodes.size()));
  m_aElemNodeStart.push_back(static_cast<std::int32_t>(m_aElemNode.size()));
  m_aElemNode.insert(m_aElemNode.end(), nodes.begin(), nodes.end());
  return idx;
}

// Counting sort of the element nodes by node, so each node lists its elements in order.
void CMPUBody::FinishElems() {
  m_aNodeElemCnt.assign(m_aNodeID.size(), 0);
  for (const std::int32_t n : m_aElemNode) ++m_aNodeElemCnt[n];
  m_aNodeElemStart.assign(m_aNodeID.size(), 0);
  for (std::size_t n = 1; n < m_aNodeID.size(); ++n)
    m_aNodeElemStart[n] = m_aNodeElemStart[n - 1] + m_aNodeElemCnt[n - 1];
  zar::MArray<std::int32_t> next = m_aNodeElemStart;
  m_aNodeElem.resize(m_aElemNode.size());
  for (std::size_t e = 0; e < m_aElemID.size(); ++e)
    for (const std::int32_t n : GetElemNodes(static_cast<std::int32_t>(e)))
      m_aNodeElem[next[n]++] = static_cast<std::int32_t>(e);
}
