#include "ibm/MPUBody.h"

void CMPUBody::Build(const zar::MArray<std::unique_ptr<TMPUBodySet>>& sets) {
  Clear();
  for (const auto& set : sets) {
    for (const std::int32_t id : set->m_aNodeID) AddMPUIndex(m_mapNode, m_aNodeID, id);
    for (const std::int32_t id : set->m_aElemID) AddMPUIndex(m_mapElem, m_aElemID, id);
  }
}

void CMPUBody::Clear() {
  m_aNodeID.clear();
  m_aElemID.clear();
  m_mapNode.clear();
  m_mapElem.clear();
}
