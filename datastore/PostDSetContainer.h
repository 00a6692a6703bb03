#pragma once
// The data sets of one step. Owns them, indexes them by result category and records which
// data set was combined from which (combination sets, built for combined load cases).
//
// The maps are std::unordered_map that grow at a load factor of 0.75; they do not shrink.
#include <cstdint>
#include <memory>
#include <unordered_map>

#include "base/Containers.h"
#include "core/DataTypes.h"
#include "datastore/PostDSet.h"
#include "qve_pvk_export.h"

class PVK_API CPostDSetContainer {
public:
  using DSetList = zar::MList<std::unique_ptr<CPostDSet>>;

  CPostDSetContainer();
  CPostDSetContainer(const CPostDSetContainer&) = delete;
  CPostDSetContainer& operator=(const CPostDSetContainer&) = delete;
  virtual ~CPostDSetContainer() = default;

  // Each appends a new set of its type to the list and to its category's list.
  CPostDSet* AddUnitResultDSet(pvk::LOC_TYPE locType, const std::int32_t& resCatType);
  CPostDSet* AddUnitEntityCompDSet(pvk::LOC_TYPE locType, const std::int32_t& resCatType);
  CPostDSet* AddUnitEntityCaseInfoDSet(pvk::LOC_TYPE locType, const std::int32_t& resCatType);
  CPostDSet* AddUnitEntityCaseDataDSet(pvk::LOC_TYPE locType, const std::int32_t& resCatType);
  // A new set of the source's type, recorded as combined from the source. A source of an
  // unknown type is recorded with no set and yields null; a null source records nothing.
  CPostDSet* AddCombDSet(const CPostDSet* source, pvk::LOC_TYPE locType,
                         const std::int32_t& resCatType);

  int ExistDSet(const CPostDSet* dset) const;
  int ExistCombDSet(const CPostDSet* source, CPostDSet*& combined) const;
  // Destroys the set; combination entries that name it or its components go with it. 0 when
  // the set is not held.
  int RemoveDSet(const CPostDSet* dset);
  // Removes every component of that type from every set; the number removed.
  std::int32_t RemoveDComp4AllDSet(std::int32_t compType);
  // The sets of that category and data set type in the order they were added; their number.
  std::int32_t GetDSetListBylResCatType(const std::int32_t& dsetType,
                                        const std::int32_t& resCatType,
                                        zar::MList<CPostDSet*>& out) const;
  const DSetList& GetDSetList() const { return m_listDSet; }
  void Clear();

private:
  CPostDSet* Append(std::unique_ptr<CPostDSet> dset);
  void ForgetDComp(const CPostDComp* comp);

  DSetList m_listDSet{10};
  std::unordered_map<std::int32_t, zar::MList<CPostDSet*>> m_mapCatDSet;  // not owned
  std::unordered_map<const CPostDSet*, CPostDSet*> m_mapCombDSet;         // not owned
};
