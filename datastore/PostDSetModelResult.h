#pragma once
// Unit model result data: one value, or one value group, per model entity.
#include <cstdint>
#include <memory>

#include "base/Containers.h"
#include "core/DataTypes.h"
#include "datastore/PostDComp.h"
#include "datastore/PostDSet.h"
#include "datastore/PostDataLoader.h"
#include "qve_pvk_export.h"

class IPreDBLinker;

class PVK_API CPostUnitModelResultDComp : public CPostDComp {
public:
  using Loader = IPostDataUnitResultLoader<double>;

  explicit CPostUnitModelResultDComp(std::int32_t compType)
      : CPostDComp(compType, pvk::POST_DSET_UNIT_MODEL_RESULT, 0) {}

  ICacheFileInfo* MakeCacheFileLoader(CPostDComp* source, TFileDataInfo* info) override;
  int SetDataLoader(const pvk::TPostDataLoader& loader) override {
    return AcceptLoader<Loader>(loader);
  }
  // The loads forward to the loader: 1 when it succeeds, 0 without a loader or when it fails.
  virtual int LoadFace(zar::MArray<std::int32_t>& ids,
                       zar::MArray<zar::MVector<double, 3>>& points) const;
  virtual int Load(zar::MArray<double>& values, const zar::MArray<std::uint64_t>& dbItrs,
                   IPreDBLinker* linker) const;
  virtual int Load(zar::MArray<double>& values, zar::MArray<std::uint64_t>& dbItrs,
                   IPreDBLinker* linker, zar::MArray<std::int32_t>* ids) const;
  virtual int Load(zar::MArray<double>& values, IPreDBLinker* linker,
                   zar::MArray<std::int32_t>* ids) const;
  // As the load above, into storage whose values are stale (the loader's OverwriteData).
  int Overwrite(zar::MArray<double>& values, IPreDBLinker* linker,
                zar::MArray<std::int32_t>* ids) const;

  Loader* GetLoader() const { return TypedLoader<Loader>(); }
  int NeedNodeLocalCycs() const { return GetIndex(); }
  void SetNeedNodeLocalCycs(int need) { SetIndex(need); }
};

class PVK_API CPostUnitModelResultDSet : public CPostDSet {
public:
  using KeyLoader = IPostDataUnitResultLoader<std::int32_t>;
  using CSysLoader = IPostDataUnitResultLoader<pvk::TElemOutCsys_d>;

  using CPostDSet::CPostDSet;

  pvk::E_POST_DSET_TYPE GetDSetType() const override { return pvk::POST_DSET_UNIT_MODEL_RESULT; }
  CPostDComp* AddDComp(std::int32_t compType) override;
  int LoadKey(zar::MArray<std::int32_t>& keys) const override;
  // As LoadKey, into storage whose values are stale (the key loader's OverwriteData).
  int OverwriteKey(zar::MArray<std::int32_t>& keys) const;
  int TransWithoutDComp(CPostDSet* target) const override;

  void SetDataLoaderKey(KeyLoader* loader) { m_pKeyLoader = loader; }
  KeyLoader* GetDataLoaderKey() const { return m_pKeyLoader; }
  void SetElemCSysLoader(std::shared_ptr<CSysLoader> loader) { m_pCSysLoader = std::move(loader); }
  const std::shared_ptr<CSysLoader>& GetElemCSysLoader() const { return m_pCSysLoader; }

  // 0 without an element coordinate system loader.
  int LoadElemOutCsys(zar::MArray<pvk::TElemOutCsys_d>& csys) const;
  // Offsets and value counts of the entities to show (see PostDSetIndex.h). 0, with the
  // outputs untouched, without a link, without ids or without a location type; for
  // location type 3, also 0 with zeroed outputs when the first component's loader reports
  // no positive value count per element.
  int LoadDSI(zar::MArray<std::int32_t>& dsi, zar::MArray<std::int32_t>& dct, IPreDBLinker* linker,
              zar::MArray<std::int32_t>* ids) const;
  // The reaction keys of a point-value set (location type 5): the entity ids and points of
  // its rows, from the first component whose loader serves them. 0 for another location
  // type or when none does.
  int LoadReactionKey(zar::MArray<std::int32_t>& ids,
                      zar::MArray<zar::MVector<double, 3>>& points) const;

private:
  std::int32_t ValuePerCorner() const;

  KeyLoader* m_pKeyLoader = nullptr;  // not owned
  std::shared_ptr<CSysLoader> m_pCSysLoader;
};
