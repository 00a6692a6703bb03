#include "datastore/PostDSetEntityComp.h"

#include "datastore/PostDSetIndex.h"

int CPostUnitEntityCompDComp::LoadUnitData(std::int32_t key, zar::MArray<std::int32_t>* ids,
                                           zar::MArray<unsigned int>& comps,
                                           zar::MArray<double>& values) {
  Loader* loader = GetLoader();
  return loader ? loader->LoadUnitData(key, ids, comps, values) : 0;
}

int CPostUnitEntityCompDComp::LoadData(const zar::MArray<std::int32_t>* keys,
                                       zar::MArray<std::int32_t>& ids,
                                       zar::MArray<unsigned int>& comps,
                                       zar::MArray<double>& values) {
  Loader* loader = GetLoader();
  return loader ? loader->LoadData(keys, ids, comps, values) : 0;
}

int CPostUnitEntityCompDSet::LoadData(IPreDBLinker* linker, const zar::MArray<std::int32_t>* keys,
                                      zar::MArray<std::uint64_t>& dbItrs,
                                      zar::MArray<std::int32_t>& ids,
                                      zar::MArray<unsigned int>& comps,
                                      zar::MArray<double>& values) const {
  auto* first = FirstDComp<CPostUnitEntityCompDComp>();
  if (!first || !first->LoadData(keys, ids, comps, values)) return 0;
  dbItrs.clear();
  for (const std::int32_t id : ids) {
    const std::uint64_t dbItr = pvk::dsi::FindEntity(linker, GetLOCType(), id);
    if (dbItr) dbItrs.push_back(dbItr);
  }
  return 1;
}
