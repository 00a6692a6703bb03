#include "datastore/PostDSetEntityCaseInfo.h"

#include <limits>

#include "datastore/PostDSetIndex.h"

int CPostUnitEntityCaseInfoDComp::LoadUnitData(std::int32_t key, zar::MArray<std::int32_t>& ids,
                                               unsigned& nCount1, unsigned& nCount2,
                                               unsigned& nCount3,
                                               zar::MArray<unsigned int>& values) {
  Loader* loader = GetLoader();
  return loader ? loader->LoadUnitData(key, ids, nCount1, nCount2, nCount3, values) : 0;
}

int CPostUnitEntityCaseInfoDComp::LoadUnitData(const zar::MArray<std::int32_t>* keys,
                                               std::int32_t entityId, unsigned& nCount1,
                                               unsigned& nCount2, unsigned& nCount3,
                                               zar::MArray<unsigned int>& values) {
  Loader* loader = GetLoader();
  return loader ? loader->LoadUnitData(entityId, keys, nCount1, nCount2, nCount3, values) : 0;
}

int CPostUnitEntityCaseInfoDComp::LoadData(const zar::MArray<std::int32_t>* keys,
                                           zar::MArray<std::int32_t>& ids, unsigned& nCount1,
                                           unsigned& nCount2, unsigned& nCount3,
                                           zar::MArray<unsigned int>& values) {
  Loader* loader = GetLoader();
  return loader ? loader->LoadData(keys, ids, nCount1, nCount2, nCount3, values) : 0;
}

int CPostUnitEntityCaseInfoDSet::LoadUnitData(IPreDBLinker* linker, std::int32_t entityId,
                                              std::uint64_t& dbItr,
                                              const zar::MArray<std::int32_t>* keys,
                                              unsigned& nCount1, unsigned& nCount2,
                                              unsigned& nCount3,
                                              zar::MArray<unsigned int>& values) const {
  dbItr = pvk::dsi::FindEntity(linker, GetLOCType(), entityId);
  auto* first = FirstDComp<CPostUnitEntityCaseInfoDComp>();
  if (!dbItr || !first) return 0;
  return first->LoadUnitData(keys, entityId, nCount1, nCount2, nCount3, values);
}

int CPostUnitEntityCaseInfoDSet::LoadDSI(zar::MArray<std::int32_t>& dsi,
                                         zar::MArray<std::int32_t>& dct,
                                         const zar::MArray<std::int32_t>* ids, unsigned nCount1,
                                         unsigned nCount2, unsigned nCount3) const {
  const std::uint64_t n = (std::uint64_t{nCount1} + nCount2) * nCount3;
  if (n > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) return 0;
  return IndexKeys(ids, static_cast<std::int32_t>(n), dsi, dct);
}
