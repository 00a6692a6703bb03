#pragma once
// Reads the values of a unit model result component back from a cache file block of doubles.
#include <cstdint>
#include <optional>

#include "core/DataTypes.h"
#include "datastore/CacheFileInfo.h"
#include "datastore/PostDataLoader.h"
#include "qve_pvk_export.h"

class PVK_API CPostCacheFileUnitResultDataLoader : public ICacheFileInfo,
                                                   public IPostDataUnitResultLoader<double> {
public:
  // The data information, when given, is copied.
  explicit CPostCacheFileUnitResultDataLoader(const TFileDataInfo& info,
                                              const pvk::TVResDInfo* pDataInfo = nullptr);

  // The stored values, whatever the iterators ask for: a cached block is always complete.
  int LoadData(zar::MArray<double>& out, const zar::MArray<std::uint64_t>& dbItrs,
               IPreDBLinker* linker) override;
  int LoadData(zar::MArray<double>& out, zar::MArray<std::uint64_t>& dbItrs, IPreDBLinker* linker,
               zar::MArray<std::int32_t>* ids) override;
  int LoadData(zar::MArray<double>& out, IPreDBLinker* linker,
               zar::MArray<std::int32_t>* ids) override;
  // The block read writes every value.
  int OverwriteData(zar::MArray<double>& out, IPreDBLinker* linker,
                    zar::MArray<std::int32_t>* ids) override {
    return LoadData(out, linker, ids);
  }
  int GetDataInfo(pvk::TVResDInfo* info) override;
  std::int32_t GetDataCount() const override;

private:
  std::optional<pvk::TVResDInfo> m_dataInfo;
};
