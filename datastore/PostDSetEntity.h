#pragma once
// What the three unit entity data sets share: values keyed by entity and by a key (a load
// set, a vehicle position, a concurrent node), with the entity ids of the stored rows (key
// loader), the result ids (result-id loader) and the component list of the set.
//
// Orders: entity ids and result ids come as their loaders store them; the components' loads
// pass their loaders' orders through unchanged. The data set index of these sets takes the
// values as rows, one per stored entity in key-loader order, each row holding that entity's
// values together; an entity stored twice is found at its first row.
#include <cstdint>
#include <memory>
#include <utility>

#include "base/Containers.h"
#include "datastore/PostDComp.h"
#include "datastore/PostDSet.h"
#include "datastore/PostDataLoader.h"
#include "qve_pvk_export.h"

class PVK_API CPostUnitEntityDSet : public CPostDSet {
public:
  using IDLoader = IPostDataUnitResultLoader<std::int32_t>;

  using CPostDSet::CPostDSet;

  int LoadKey(zar::MArray<std::int32_t>& keys) const override {
    return LoadIDs(m_pKeyLoader, keys);
  }
  // Copies the key and result-id loaders and the component list.
  int TransWithoutDComp(CPostDSet* target) const override;

  void SetDataLoaderKey(IDLoader* loader) { m_pKeyLoader = loader; }
  IDLoader* GetDataLoaderKey() const { return m_pKeyLoader; }
  void SetDataLoaderResID(IDLoader* loader) { m_pResIDLoader = loader; }
  IDLoader* GetDataLoaderResID() const { return m_pResIDLoader; }
  void SetCompList(const zar::MArray<unsigned int>& compList) { m_aCompList = compList; }
  const zar::MArray<unsigned int>& GetCompList() const { return m_aCompList; }

  // The result ids in stored order; 0 without a result-id loader.
  int LoadResID(zar::MArray<std::int32_t>& resIds) const { return LoadIDs(m_pResIDLoader, resIds); }

protected:
  static int LoadIDs(IDLoader* loader, zar::MArray<std::int32_t>& ids) {
    return loader ? loader->LoadData(ids, nullptr, nullptr) : 0;
  }
  // Appends the component and points it at this set's component list.
  template <class TComp>
  CPostDComp* AppendEntityDComp(std::int32_t compType) {
    auto comp = std::make_unique<TComp>(compType);
    comp->SetCompList(&m_aCompList);
    return AppendDComp(std::move(comp));
  }
  // The first component, when it is of the set's component class.
  template <class TComp>
  TComp* FirstDComp() const {
    const auto& comps = GetDCompList();
    return comps.empty() ? nullptr : dynamic_cast<TComp*>(comps.front().get());
  }
  // Row indexing of the stored entities with nValuePerEntity values each.
  int IndexKeys(const zar::MArray<std::int32_t>* ids, std::int32_t nValuePerEntity,
                zar::MArray<std::int32_t>& dsi, zar::MArray<std::int32_t>& dct) const;

private:
  IDLoader* m_pKeyLoader = nullptr;    // not owned
  IDLoader* m_pResIDLoader = nullptr;  // not owned
  zar::MArray<unsigned int> m_aCompList;
};
