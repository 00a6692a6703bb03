#pragma once
// Unit entity case information: per key, the entities it covers, three layout counts and the
// information values.
#include <cstdint>

#include "base/Containers.h"
#include "datastore/PostDComp.h"
#include "datastore/PostDSetEntity.h"
#include "datastore/PostDataEntityCaseInfoLoader.h"
#include "qve_pvk_export.h"

class IPreDBLinker;

class PVK_API CPostUnitEntityCaseInfoDComp : public CPostUnitEntityDComp {
public:
  using Loader = IPostDataUnitEntityCaseInfoLoader<unsigned int>;

  explicit CPostUnitEntityCaseInfoDComp(std::int32_t compType)
      : CPostUnitEntityDComp(compType, pvk::POST_DSET_UNIT_ENTITY_CASE_INFO) {}

  ICacheFileInfo* MakeCacheFileLoader(CPostDComp* source, TFileDataInfo* info) override;
  int SetDataLoader(const pvk::TPostDataLoader& loader) override {
    return AcceptLoader<Loader>(loader);
  }
  // Forward to the matching loader slot and return its answer; 0 without a loader.
  virtual int LoadUnitData(std::int32_t key, zar::MArray<std::int32_t>& ids, unsigned& nCount1,
                           unsigned& nCount2, unsigned& nCount3, zar::MArray<unsigned int>& values);
  virtual int LoadUnitData(const zar::MArray<std::int32_t>* keys, std::int32_t entityId,
                           unsigned& nCount1, unsigned& nCount2, unsigned& nCount3,
                           zar::MArray<unsigned int>& values);
  virtual int LoadData(const zar::MArray<std::int32_t>* keys, zar::MArray<std::int32_t>& ids,
                       unsigned& nCount1, unsigned& nCount2, unsigned& nCount3,
                       zar::MArray<unsigned int>& values);

  Loader* GetLoader() const { return TypedLoader<Loader>(); }
};

class PVK_API CPostUnitEntityCaseInfoDSet : public CPostUnitEntityDSet {
public:
  using CPostUnitEntityDSet::CPostUnitEntityDSet;

  pvk::E_POST_DSET_TYPE GetDSetType() const override {
    return pvk::POST_DSET_UNIT_ENTITY_CASE_INFO;
  }
  CPostDComp* AddDComp(std::int32_t compType) override {
    return AppendEntityDComp<CPostUnitEntityCaseInfoDComp>(compType);
  }

  // One entity over the keys: dbItr is its model object (0 until found); the first
  // component answers for it. 0 without a link, location type, entity or component.
  int LoadUnitData(IPreDBLinker* linker, std::int32_t entityId, std::uint64_t& dbItr,
                   const zar::MArray<std::int32_t>* keys, unsigned& nCount1, unsigned& nCount2,
                   unsigned& nCount3, zar::MArray<unsigned int>& values) const;
  // Rows of the stored entities (key loader order), each of (nCount1 + nCount2) values per
  // entity node and nCount3 nodes, the layout that LoadUnitData reports.
  int LoadDSI(zar::MArray<std::int32_t>& dsi, zar::MArray<std::int32_t>& dct,
              const zar::MArray<std::int32_t>* ids, unsigned nCount1, unsigned nCount2,
              unsigned nCount3) const;
};
