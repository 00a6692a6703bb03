#pragma once
// Cache-file loaders of the unit entity components. They only carry where their block lies;
// entity values are not read back from cache files, so every load answers 0. The class
// templates hold the slots of one loader family; the named loaders fix the value type.
#include <cstdint>

#include "datastore/CacheFileInfo.h"
#include "datastore/PostDataEntityCaseDataLoader.h"
#include "datastore/PostDataEntityCaseInfoLoader.h"
#include "datastore/PostDataEntityCompLoader.h"
#include "qve_pvk_export.h"

template <class T>
class PVK_API CPostCacheFileUnitCompLoader : public ICacheFileInfo,
                                             public IPostDataUnitEntityCompLoader<T> {
public:
  explicit CPostCacheFileUnitCompLoader(const TFileDataInfo& info) : ICacheFileInfo(info) {}

  int LoadUnitData(std::int32_t, zar::MArray<std::int32_t>*, zar::MArray<unsigned int>&,
                   zar::MArray<T>&) override {
    return 0;
  }
  int LoadData(const zar::MArray<std::int32_t>*, zar::MArray<std::int32_t>&,
               zar::MArray<unsigned int>&, zar::MArray<T>&) override {
    return 0;
  }
};

template <class T>
class PVK_API CPostCacheFileUnitEntityCaseInfoLoader : public ICacheFileInfo,
                                                       public IPostDataUnitEntityCaseInfoLoader<T> {
public:
  explicit CPostCacheFileUnitEntityCaseInfoLoader(const TFileDataInfo& info)
      : ICacheFileInfo(info) {}

  int LoadUnitData(std::int32_t, zar::MArray<std::int32_t>&, unsigned&, unsigned&, unsigned&,
                   zar::MArray<T>&) override {
    return 0;
  }
  int LoadUnitData(std::int32_t, const zar::MArray<std::int32_t>*, unsigned&, unsigned&, unsigned&,
                   zar::MArray<T>&) override {
    return 0;
  }
  int LoadData(const zar::MArray<std::int32_t>*, zar::MArray<std::int32_t>&, unsigned&, unsigned&,
               unsigned&, zar::MArray<T>&) override {
    return 0;
  }
};

template <class T>
class PVK_API CPostCacheFileUnitEntityCaseDataLoader : public ICacheFileInfo,
                                                       public IPostDataUnitEntityCaseDataLoader<T> {
public:
  explicit CPostCacheFileUnitEntityCaseDataLoader(const TFileDataInfo& info)
      : ICacheFileInfo(info) {}

  int LoadUnitData(std::int32_t, zar::MArray<std::int32_t>&, zar::MArray<std::int32_t>&, unsigned&,
                   zar::MArray<T>&) override {
    return 0;
  }
  int LoadUnitData(std::int32_t, const zar::MArray<std::int32_t>*, zar::MArray<std::int32_t>&,
                   unsigned&, zar::MArray<T>&) override {
    return 0;
  }
  int LoadUnitData(std::int32_t, std::int32_t, const unsigned*, const zar::MArray<std::int32_t>&,
                   zar::MArray<T>&) override {
    return 0;
  }
  int LoadData(const zar::MArray<std::int32_t>*, zar::MArray<std::int32_t>&,
               zar::MArray<std::int32_t>&, unsigned&, zar::MArray<T>&) override {
    return 0;
  }
};

class CPostCacheFileUnitCompIDLoader : public CPostCacheFileUnitCompLoader<std::int32_t> {
public:
  using CPostCacheFileUnitCompLoader::CPostCacheFileUnitCompLoader;
};
class CPostCacheFileUnitCompDataLoader : public CPostCacheFileUnitCompLoader<double> {
public:
  using CPostCacheFileUnitCompLoader::CPostCacheFileUnitCompLoader;
};
class CPostCacheFileUnitEntityCaseInfoIDLoader
    : public CPostCacheFileUnitEntityCaseInfoLoader<std::int32_t> {
public:
  using CPostCacheFileUnitEntityCaseInfoLoader::CPostCacheFileUnitEntityCaseInfoLoader;
};
class CPostCacheFileUnitEntityCaseInfoDataLoader
    : public CPostCacheFileUnitEntityCaseInfoLoader<unsigned int> {
public:
  using CPostCacheFileUnitEntityCaseInfoLoader::CPostCacheFileUnitEntityCaseInfoLoader;
};
class CPostCacheFileUnitEntityCaseDataIDLoader
    : public CPostCacheFileUnitEntityCaseDataLoader<std::int32_t> {
public:
  using CPostCacheFileUnitEntityCaseDataLoader::CPostCacheFileUnitEntityCaseDataLoader;
};
class CPostCacheFileUnitEntityCaseDataDataLoader
    : public CPostCacheFileUnitEntityCaseDataLoader<double> {
public:
  using CPostCacheFileUnitEntityCaseDataLoader::CPostCacheFileUnitEntityCaseDataLoader;
};
