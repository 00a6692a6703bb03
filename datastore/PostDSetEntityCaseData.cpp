#include "datastore/PostDSetEntityCaseData.h"

#include <limits>

#include "datastore/PostDSetIndex.h"

namespace {

constexpr unsigned kMaxValuePerEntity = std::numeric_limits<std::int32_t>::max();

}  // namespace

int CPostUnitEntityCaseDataDComp::LoadUnitData(std::int32_t key, zar::MArray<std::int32_t>& caseIds,
                                               zar::MArray<std::int32_t>& ids,
                                               unsigned& nValuePerEntity,
                                               zar::MArray<double>& values) {
  Loader* loader = GetLoader();
  return loader ? loader->LoadUnitData(key, caseIds, ids, nValuePerEntity, values) : 0;
}

int CPostUnitEntityCaseDataDComp::LoadUnitData(const zar::MArray<std::int32_t>* keys,
                                               std::int32_t entityId,
                                               zar::MArray<std::int32_t>& caseIds,
                                               unsigned& nValuePerEntity,
                                               zar::MArray<double>& values) {
  Loader* loader = GetLoader();
  return loader ? loader->LoadUnitData(entityId, keys, caseIds, nValuePerEntity, values) : 0;
}

int CPostUnitEntityCaseDataDComp::LoadUnitData(std::int32_t key, std::int32_t entityId,
                                               const unsigned* pnCount,
                                               const zar::MArray<std::int32_t>& caseIds,
                                               zar::MArray<double>& values) {
  Loader* loader = GetLoader();
  return loader ? loader->LoadUnitData(key, entityId, pnCount, caseIds, values) : 0;
}

int CPostUnitEntityCaseDataDComp::LoadData(const zar::MArray<std::int32_t>* keys,
                                           zar::MArray<std::int32_t>& caseIds,
                                           zar::MArray<std::int32_t>& ids,
                                           unsigned& nValuePerEntity, zar::MArray<double>& values) {
  Loader* loader = GetLoader();
  return loader ? loader->LoadData(keys, caseIds, ids, nValuePerEntity, values) : 0;
}

int CPostUnitEntityCaseDataDSet::TransWithoutDComp(CPostDSet* target) const {
  auto* set = dynamic_cast<CPostUnitEntityCaseDataDSet*>(target);
  if (!set || !CPostUnitEntityDSet::TransWithoutDComp(set)) return 0;
  set->m_pCaseIDLoader = m_pCaseIDLoader;
  return 1;
}

int CPostUnitEntityCaseDataDSet::LoadUnitData(IPreDBLinker* linker, std::int32_t entityId,
                                              std::uint64_t& dbItr,
                                              const zar::MArray<std::int32_t>* keys,
                                              zar::MArray<std::int32_t>& caseIds,
                                              unsigned& nValuePerEntity,
                                              zar::MArray<double>& values) const {
  dbItr = pvk::dsi::FindEntity(linker, GetLOCType(), entityId);
  auto* first = FirstDComp<CPostUnitEntityCaseDataDComp>();
  if (!dbItr || !first) return 0;
  return first->LoadUnitData(keys, entityId, caseIds, nValuePerEntity, values);
}

int CPostUnitEntityCaseDataDSet::LoadDSI(zar::MArray<std::int32_t>& dsi,
                                         zar::MArray<std::int32_t>& dct,
                                         const zar::MArray<std::int32_t>* ids,
                                         unsigned nValuePerEntity) const {
  if (nValuePerEntity > kMaxValuePerEntity) return 0;
  return IndexKeys(ids, static_cast<std::int32_t>(nValuePerEntity), dsi, dct);
}

int CPostUnitEntityCaseDataDSet::LoadUnitDSI(std::int32_t key, zar::MArray<std::int32_t>& dsi,
                                             zar::MArray<std::int32_t>& dct,
                                             const zar::MArray<std::int32_t>* ids) const {
  auto* first = FirstDComp<CPostUnitEntityCaseDataDComp>();
  zar::MArray<std::int32_t> caseIds, stored;
  zar::MArray<double> values;
  unsigned nValuePerEntity = 0;
  if (!first || !first->LoadUnitData(key, caseIds, stored, nValuePerEntity, values) ||
      nValuePerEntity > kMaxValuePerEntity)
    return 0;
  return pvk::dsi::IndexStoredEntities(stored, ids, static_cast<std::int32_t>(nValuePerEntity), dsi,
                                       dct);
}
