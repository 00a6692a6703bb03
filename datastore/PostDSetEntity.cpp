#include "datastore/PostDSetEntity.h"

#include "datastore/PostDSetIndex.h"

int CPostUnitEntityDSet::TransWithoutDComp(CPostDSet* target) const {
  if (!target || target == this || target->GetDSetType() != GetDSetType()) return 0;
  auto* set = dynamic_cast<CPostUnitEntityDSet*>(target);
  if (!set) return 0;
  set->m_pKeyLoader = m_pKeyLoader;
  set->m_pResIDLoader = m_pResIDLoader;
  set->m_aCompList = m_aCompList;
  return 1;
}

int CPostUnitEntityDSet::IndexKeys(const zar::MArray<std::int32_t>* ids,
                                   std::int32_t nValuePerEntity, zar::MArray<std::int32_t>& dsi,
                                   zar::MArray<std::int32_t>& dct) const {
  zar::MArray<std::int32_t> stored;
  if (!LoadKey(stored)) return 0;
  return pvk::dsi::IndexStoredEntities(stored, ids, nValuePerEntity, dsi, dct);
}
