#include "datastore/PostDComp.h"

CPostDComp::CPostDComp(std::int32_t compType, std::int32_t dsetType, std::int32_t index)
    : m_nCompType(compType), m_nDSetType(dsetType), m_nIndex(index) {}

int CPostDComp::TransWithoutLoader(CPostDComp* target) const {
  if (!target || target == this || target->m_nCompType != m_nCompType ||
      target->m_nDSetType != m_nDSetType)
    return 0;
  target->m_nIndex = m_nIndex;
  return 1;
}

bool CPostDComp::CanTakeCacheFileLoader(const CPostDComp* source, const TFileDataInfo* info) const {
  return !m_pCacheFileInfo && source && info && source->m_nCompType == m_nCompType &&
         source->m_nDSetType == m_nDSetType;
}

int CPostUnitEntityDComp::TransWithoutLoader(CPostDComp* target) const {
  if (!CPostDComp::TransWithoutLoader(target)) return 0;
  auto* entity = dynamic_cast<CPostUnitEntityDComp*>(target);
  if (entity && m_pCompList && entity->m_pCompList && entity->m_pCompList != m_pCompList)
    *entity->m_pCompList = *m_pCompList;
  return 1;
}
