#pragma once
// Unit entity case data: per key, the case ids, the entities, the number of values per entity
// and the values, laid out entity by entity.
#include <cstdint>

#include "base/Containers.h"
#include "datastore/PostDComp.h"
#include "datastore/PostDSetEntity.h"
#include "datastore/PostDataEntityCaseDataLoader.h"
#include "qve_pvk_export.h"

class IPreDBLinker;

class PVK_API CPostUnitEntityCaseDataDComp : public CPostUnitEntityDComp {
public:
  using Loader = IPostDataUnitEntityCaseDataLoader<double>;

  explicit CPostUnitEntityCaseDataDComp(std::int32_t compType)
      : CPostUnitEntityDComp(compType, pvk::POST_DSET_UNIT_ENTITY_CASE_DATA) {}

  ICacheFileInfo* MakeCacheFileLoader(CPostDComp* source, TFileDataInfo* info) override;
  int SetDataLoader(const pvk::TPostDataLoader& loader) override {
    return AcceptLoader<Loader>(loader);
  }
  // Forward to the matching loader slot and return its answer; 0 without a loader.
  virtual int LoadUnitData(std::int32_t key, zar::MArray<std::int32_t>& caseIds,
                           zar::MArray<std::int32_t>& ids, unsigned& nValuePerEntity,
                           zar::MArray<double>& values);
  virtual int LoadUnitData(const zar::MArray<std::int32_t>* keys, std::int32_t entityId,
                           zar::MArray<std::int32_t>& caseIds, unsigned& nValuePerEntity,
                           zar::MArray<double>& values);
  virtual int LoadUnitData(std::int32_t key, std::int32_t entityId, const unsigned* pnCount,
                           const zar::MArray<std::int32_t>& caseIds, zar::MArray<double>& values);
  virtual int LoadData(const zar::MArray<std::int32_t>* keys, zar::MArray<std::int32_t>& caseIds,
                       zar::MArray<std::int32_t>& ids, unsigned& nValuePerEntity,
                       zar::MArray<double>& values);

  Loader* GetLoader() const { return TypedLoader<Loader>(); }
};

class PVK_API CPostUnitEntityCaseDataDSet : public CPostUnitEntityDSet {
public:
  using CPostUnitEntityDSet::CPostUnitEntityDSet;

  pvk::E_POST_DSET_TYPE GetDSetType() const override {
    return pvk::POST_DSET_UNIT_ENTITY_CASE_DATA;
  }
  CPostDComp* AddDComp(std::int32_t compType) override {
    return AppendEntityDComp<CPostUnitEntityCaseDataDComp>(compType);
  }
  // Also copies the case-id loader.
  int TransWithoutDComp(CPostDSet* target) const override;

  void SetDataLoaderCaseID(IDLoader* loader) { m_pCaseIDLoader = loader; }
  IDLoader* GetDataLoaderCaseID() const { return m_pCaseIDLoader; }

  // One entity over the keys: dbItr is its model object (0 until found); the first
  // component answers for it. 0 without a link, location type, entity or component.
  int LoadUnitData(IPreDBLinker* linker, std::int32_t entityId, std::uint64_t& dbItr,
                   const zar::MArray<std::int32_t>* keys, zar::MArray<std::int32_t>& caseIds,
                   unsigned& nValuePerEntity, zar::MArray<double>& values) const;
  // Rows of the stored entities (key loader order) with nValuePerEntity values each.
  int LoadDSI(zar::MArray<std::int32_t>& dsi, zar::MArray<std::int32_t>& dct,
              const zar::MArray<std::int32_t>* ids, unsigned nValuePerEntity) const;
  // Rows of the entities that the first component loads for one key, in the order it
  // returns them, with the values per entity it reports.
  int LoadUnitDSI(std::int32_t key, zar::MArray<std::int32_t>& dsi, zar::MArray<std::int32_t>& dct,
                  const zar::MArray<std::int32_t>* ids) const;

private:
  IDLoader* m_pCaseIDLoader = nullptr;  // not owned
};
