#include "datastore/PostDSet.h"

#include <algorithm>
#include <iterator>

CPostDSet::CPostDSet(pvk::LOC_TYPE locType, std::int32_t resCatType)
    : m_nLocType(locType), m_nResCatType(resCatType) {
  m_mapCombDComp.max_load_factor(0.75f);
}

CPostDComp* CPostDSet::GetDComp(std::int32_t compType) const {
  const auto it = std::find_if(m_listDComp.begin(), m_listDComp.end(),
                               [compType](const auto& c) { return c->GetCompType() == compType; });
  return it == m_listDComp.end() ? nullptr : it->get();
}

int CPostDSet::RemoveDComp(std::int32_t compType) { return RemoveDComp(GetDComp(compType)); }

int CPostDSet::RemoveDComp(const CPostDComp* comp) {
  const auto it = std::find_if(m_listDComp.begin(), m_listDComp.end(),
                               [comp](const auto& c) { return c.get() == comp; });
  if (!comp || it == m_listDComp.end()) return 0;
  ForgetCombDComp(comp);
  m_listDComp.erase(it);
  return 1;
}

CPostDComp* CPostDSet::AddCombDComp(const CPostDComp* source) {
  if (!source) return nullptr;
  CPostDComp* comp = AddDComp(source->GetCompType());
  m_mapCombDComp[source] = comp;
  return comp;
}

int CPostDSet::ExistCombDComp(const CPostDComp* source, CPostDComp*& combined) const {
  const auto it = m_mapCombDComp.find(source);
  if (it == m_mapCombDComp.end()) return 0;
  combined = it->second;
  return 1;
}

void CPostDSet::ForgetCombDComp(const CPostDComp* comp) {
  std::erase_if(m_mapCombDComp,
                [comp](const auto& entry) { return entry.first == comp || entry.second == comp; });
}

void CPostDSet::Clear() {
  m_mapCombDComp.clear();
  m_listDComp.clear();
}

CPostDComp* CPostDSet::AppendDComp(std::unique_ptr<CPostDComp> comp) {
  m_listDComp.push_back(std::move(comp));
  return m_listDComp.back().get();
}
