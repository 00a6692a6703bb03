#pragma once
// A data component: one stored component of a data set. It holds no values, only the loader
// that delivers them.
//
// Ownership: the data loader is not owned (it is a result file record or a record-side loader
// that lives as long as its file), except a cache-file loader made by MakeCacheFileLoader,
// which the component owns as its cache-file information and also uses as its data loader.
#include <cstdint>
#include <memory>
#include <utility>
#include <variant>

#include "base/Containers.h"
#include "datastore/CacheFileInfo.h"
#include "datastore/PostDSetType.h"
#include "datastore/PostDataEntityCaseDataLoader.h"
#include "datastore/PostDataEntityCaseInfoLoader.h"
#include "datastore/PostDataEntityCompLoader.h"
#include "datastore/PostDataLoader.h"
#include "qve_pvk_export.h"

namespace pvk {

// The loader of any component class; which one a component accepts follows from its class.
// All pointers are not owned.
using TPostDataLoader = std::variant<
    std::monostate, IPostDataUnitResultLoader<double>*, IPostDataUnitEntityCompLoader<double>*,
    IPostDataUnitEntityCaseInfoLoader<unsigned int>*, IPostDataUnitEntityCaseDataLoader<double>*>;

}  // namespace pvk

class PVK_API CPostDComp {
public:
  CPostDComp(std::int32_t compType, std::int32_t dsetType, std::int32_t index);
  CPostDComp(const CPostDComp&) = delete;
  CPostDComp& operator=(const CPostDComp&) = delete;
  virtual ~CPostDComp() = default;

  // Copies what describes the component, never the loader, into a target of the same
  // component type and data set type. 1 when copied.
  virtual int TransWithoutLoader(CPostDComp* target) const;
  // Gives this component a cache-file loader for the block, once: the source must have the
  // same component type and data set type. The loader returned is owned by this component.
  virtual ICacheFileInfo* MakeCacheFileLoader(CPostDComp* source, TFileDataInfo* info) = 0;
  virtual ICacheFileInfo* GetCacheFileInfo() const { return m_pCacheFileInfo.get(); }
  // 1 when the loader fits the component's class (an empty loader always does), else 0.
  virtual int SetDataLoader(const pvk::TPostDataLoader& loader) = 0;
  virtual pvk::TPostDataLoader GetDataLoader() const { return m_dataLoader; }

  std::int32_t GetCompType() const { return m_nCompType; }
  void SetCompType(std::int32_t compType) { m_nCompType = compType; }
  std::int32_t GetPostDSetType() const { return m_nDSetType; }
  void SetPostDSetType(std::int32_t dsetType) { m_nDSetType = dsetType; }

protected:
  template <class TLoader>
  int AcceptLoader(const pvk::TPostDataLoader& loader) {
    if (!std::holds_alternative<std::monostate>(loader) &&
        !std::holds_alternative<TLoader*>(loader))
      return 0;
    m_dataLoader = loader;
    return 1;
  }
  template <class TLoader>
  TLoader* TypedLoader() const {
    TLoader* const* p = std::get_if<TLoader*>(&m_dataLoader);
    return p ? *p : nullptr;
  }
  // The source may lend its layout to a cache-file loader of this component.
  bool CanTakeCacheFileLoader(const CPostDComp* source, const TFileDataInfo* info) const;
  // Makes the new cache-file loader both the owned cache-file information and the loader.
  template <class TCache>
  ICacheFileInfo* AdoptCacheFileLoader(std::unique_ptr<TCache> cache) {
    m_dataLoader = cache.get();
    m_pCacheFileInfo = std::move(cache);
    return m_pCacheFileInfo.get();
  }
  std::int32_t GetIndex() const { return m_nIndex; }
  void SetIndex(std::int32_t index) { m_nIndex = index; }

private:
  std::int32_t m_nCompType;
  std::int32_t m_nDSetType;
  std::unique_ptr<ICacheFileInfo> m_pCacheFileInfo;
  pvk::TPostDataLoader m_dataLoader;
  // The result-id offset index of the unit entity components; the node-local coordinate
  // system flag of the unit model result component.
  std::int32_t m_nIndex;
};

// What the three unit entity components share: the offset index and the component list of
// their data set.
class PVK_API CPostUnitEntityDComp : public CPostDComp {
public:
  CPostUnitEntityDComp(std::int32_t compType, std::int32_t dsetType)
      : CPostDComp(compType, dsetType, -1) {}

  // Also copies the source's component list into the list this component points at; the
  // pointer itself stays, so that it never leads into another data set.
  int TransWithoutLoader(CPostDComp* target) const override;

  std::int32_t GetResIDOffsetIndex() const { return GetIndex(); }
  void SetResIDOffsetIndex(std::int32_t index) { SetIndex(index); }
  zar::MArray<unsigned int>* GetCompList() const { return m_pCompList; }
  void SetCompList(zar::MArray<unsigned int>* compList) { m_pCompList = compList; }

private:
  zar::MArray<unsigned int>* m_pCompList = nullptr;  // not owned: the data set's list
};
