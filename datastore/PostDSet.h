#pragma once
// A data set: the store of one result category at one location type within a step. It owns
// one component per stored component and says where their values come from; it holds no
// values itself.
#include <cstdint>
#include <memory>
#include <unordered_map>

#include "base/Containers.h"
#include "core/DataTypes.h"
#include "datastore/PostDComp.h"
#include "datastore/PostDSetType.h"
#include "qve_pvk_export.h"

class PVK_API CPostDSet {
public:
  using DCompList = zar::MList<std::unique_ptr<CPostDComp>>;

  CPostDSet(pvk::LOC_TYPE locType, std::int32_t resCatType);
  CPostDSet(const CPostDSet&) = delete;
  CPostDSet& operator=(const CPostDSet&) = delete;
  virtual ~CPostDSet() = default;

  virtual pvk::E_POST_DSET_TYPE GetDSetType() const = 0;
  // A new component of the set's class with that component type, appended to the list.
  virtual CPostDComp* AddDComp(std::int32_t compType) = 0;
  // The entity ids of the stored rows; 0 without a key loader.
  virtual int LoadKey(zar::MArray<std::int32_t>& keys) const = 0;
  // Copies this set's loaders (not its components) into a target of the same type; 1 when
  // copied.
  virtual int TransWithoutDComp(CPostDSet* target) const = 0;

  pvk::LOC_TYPE GetLOCType() const { return m_nLocType; }
  void SetLOCType(pvk::LOC_TYPE locType) { m_nLocType = locType; }
  std::int32_t GetResCatType() const { return m_nResCatType; }
  void SetResCatType(std::int32_t resCatType) { m_nResCatType = resCatType; }

  const DCompList& GetDCompList() const { return m_listDComp; }
  // The first component of that type, or null.
  CPostDComp* GetDComp(std::int32_t compType) const;
  // Removes and destroys the first component of that type; 0 when there is none.
  int RemoveDComp(std::int32_t compType);
  // 0 when the component is not one of this set's.
  int RemoveDComp(const CPostDComp* comp);
  // A new component of the source's component type, recorded as combined from the source.
  CPostDComp* AddCombDComp(const CPostDComp* source);
  int ExistCombDComp(const CPostDComp* source, CPostDComp*& combined) const;
  // Drops every combination entry that names the component, so that none outlives it.
  void ForgetCombDComp(const CPostDComp* comp);
  void Clear();

protected:
  CPostDComp* AppendDComp(std::unique_ptr<CPostDComp> comp);

private:
  DCompList m_listDComp{10};
  pvk::LOC_TYPE m_nLocType;
  std::int32_t m_nResCatType;
  std::unordered_map<const CPostDComp*, CPostDComp*> m_mapCombDComp;  // not owned
};
