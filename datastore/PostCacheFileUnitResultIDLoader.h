#pragma once
// Reads the entity ids of a unit model result back from a cache file block of 32-bit ids.
#include <cstdint>

#include "core/DataTypes.h"
#include "datastore/CacheFileInfo.h"
#include "datastore/PostDataLoader.h"
#include "qve_pvk_export.h"

class PVK_API CPostCacheFileUnitResultIDLoader : public ICacheFileInfo,
                                                 public IPostDataUnitResultLoader<std::int32_t> {
public:
  CPostCacheFileUnitResultIDLoader(const TFileDataInfo& info, pvk::LOC_TYPE locType)
      : ICacheFileInfo(info), m_nLocType(locType) {}

  // With a model database link: the stored ids of the entities the iterators name, in the
  // iterators' order. An entity stored several times yields all its ids at its first
  // iterator; entities that are not stored, and repeated iterators, yield nothing.
  int LoadData(zar::MArray<std::int32_t>& out, const zar::MArray<std::uint64_t>& dbItrs,
               IPreDBLinker* linker) override;
  int LoadData(zar::MArray<std::int32_t>& out, zar::MArray<std::uint64_t>& dbItrs,
               IPreDBLinker* linker, zar::MArray<std::int32_t>* ids) override;
  int LoadData(zar::MArray<std::int32_t>& out, IPreDBLinker* linker,
               zar::MArray<std::int32_t>* ids) override;
  // The block read writes every value.
  int OverwriteData(zar::MArray<std::int32_t>& out, IPreDBLinker* linker,
                    zar::MArray<std::int32_t>* ids) override {
    return LoadData(out, linker, ids);
  }
  std::int32_t GetDataCount() const override;

private:
  pvk::LOC_TYPE m_nLocType;
};
