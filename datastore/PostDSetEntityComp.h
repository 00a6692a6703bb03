#pragma once
// Unit entity component data: per key, the entity ids, the component of each value and the
// values.
#include <cstdint>

#include "base/Containers.h"
#include "datastore/PostDComp.h"
#include "datastore/PostDSetEntity.h"
#include "datastore/PostDataEntityCompLoader.h"
#include "qve_pvk_export.h"

class IPreDBLinker;

class PVK_API CPostUnitEntityCompDComp : public CPostUnitEntityDComp {
public:
  using Loader = IPostDataUnitEntityCompLoader<double>;

  explicit CPostUnitEntityCompDComp(std::int32_t compType)
      : CPostUnitEntityDComp(compType, pvk::POST_DSET_UNIT_ENTITY_COMP) {}

  ICacheFileInfo* MakeCacheFileLoader(CPostDComp* source, TFileDataInfo* info) override;
  int SetDataLoader(const pvk::TPostDataLoader& loader) override {
    return AcceptLoader<Loader>(loader);
  }
  // Forward to the loader and return its answer; 0 without a loader.
  virtual int LoadUnitData(std::int32_t key, zar::MArray<std::int32_t>* ids,
                           zar::MArray<unsigned int>& comps, zar::MArray<double>& values);
  virtual int LoadData(const zar::MArray<std::int32_t>* keys, zar::MArray<std::int32_t>& ids,
                       zar::MArray<unsigned int>& comps, zar::MArray<double>& values);

  Loader* GetLoader() const { return TypedLoader<Loader>(); }
};

class PVK_API CPostUnitEntityCompDSet : public CPostUnitEntityDSet {
public:
  using CPostUnitEntityDSet::CPostUnitEntityDSet;

  pvk::E_POST_DSET_TYPE GetDSetType() const override { return pvk::POST_DSET_UNIT_ENTITY_COMP; }
  CPostDComp* AddDComp(std::int32_t compType) override {
    return AppendEntityDComp<CPostUnitEntityCompDComp>(compType);
  }

  // The first component's values of the keys (all keys without a list), and the model
  // objects of the returned ids in their order; ids the link does not find (or every id,
  // without a link or for a location type other than 2, 4 and 6) have no object, so the
  // objects may be fewer than the ids. 0 without a component or when its load fails.
  int LoadData(IPreDBLinker* linker, const zar::MArray<std::int32_t>* keys,
               zar::MArray<std::uint64_t>& dbItrs, zar::MArray<std::int32_t>& ids,
               zar::MArray<unsigned int>& comps, zar::MArray<double>& values) const;
  // Rows of the stored entities (key loader order) with nValuePerEntity values each; all
  // stored entities without ids.
  int LoadDSI(zar::MArray<std::int32_t>& dsi, zar::MArray<std::int32_t>& dct,
              const zar::MArray<std::int32_t>* ids, std::int32_t nValuePerEntity) const {
    return IndexKeys(ids, nValuePerEntity, dsi, dct);
  }
};
