#include "datastore/PostDSetContainer.h"

#include <algorithm>
#include <iterator>

#include "datastore/PostDSetEntityCaseData.h"
#include "datastore/PostDSetEntityCaseInfo.h"
#include "datastore/PostDSetEntityComp.h"
#include "datastore/PostDSetModelResult.h"

namespace {

std::unique_ptr<CPostDSet> NewDSet(std::int32_t dsetType, pvk::LOC_TYPE locType,
                                   std::int32_t resCatType) {
  switch (dsetType) {
    case pvk::POST_DSET_UNIT_MODEL_RESULT:
      return std::make_unique<CPostUnitModelResultDSet>(locType, resCatType);
    case pvk::POST_DSET_UNIT_ENTITY_COMP:
      return std::make_unique<CPostUnitEntityCompDSet>(locType, resCatType);
    case pvk::POST_DSET_UNIT_ENTITY_CASE_INFO:
      return std::make_unique<CPostUnitEntityCaseInfoDSet>(locType, resCatType);
    case pvk::POST_DSET_UNIT_ENTITY_CASE_DATA:
      return std::make_unique<CPostUnitEntityCaseDataDSet>(locType, resCatType);
    default:
      return nullptr;
  }
}

}  // namespace

CPostDSetContainer::CPostDSetContainer() {
  m_mapCatDSet.max_load_factor(0.75f);
  m_mapCombDSet.max_load_factor(0.75f);
}

CPostDSet* CPostDSetContainer::AddUnitResultDSet(pvk::LOC_TYPE locType,
                                                 const std::int32_t& resCatType) {
  return Append(NewDSet(pvk::POST_DSET_UNIT_MODEL_RESULT, locType, resCatType));
}

CPostDSet* CPostDSetContainer::AddUnitEntityCompDSet(pvk::LOC_TYPE locType,
                                                     const std::int32_t& resCatType) {
  return Append(NewDSet(pvk::POST_DSET_UNIT_ENTITY_COMP, locType, resCatType));
}

CPostDSet* CPostDSetContainer::AddUnitEntityCaseInfoDSet(pvk::LOC_TYPE locType,
                                                         const std::int32_t& resCatType) {
  return Append(NewDSet(pvk::POST_DSET_UNIT_ENTITY_CASE_INFO, locType, resCatType));
}

CPostDSet* CPostDSetContainer::AddUnitEntityCaseDataDSet(pvk::LOC_TYPE locType,
                                                         const std::int32_t& resCatType) {
  return Append(NewDSet(pvk::POST_DSET_UNIT_ENTITY_CASE_DATA, locType, resCatType));
}

CPostDSet* CPostDSetContainer::AddCombDSet(const CPostDSet* source, pvk::LOC_TYPE locType,
                                           const std::int32_t& resCatType) {
  if (!source) return nullptr;
  std::unique_ptr<CPostDSet> dset = NewDSet(source->GetDSetType(), locType, resCatType);
  CPostDSet* combined = dset ? Append(std::move(dset)) : nullptr;
  m_mapCombDSet[source] = combined;
  return combined;
}

int CPostDSetContainer::ExistDSet(const CPostDSet* dset) const {
  return std::any_of(m_listDSet.begin(), m_listDSet.end(),
                     [dset](const auto& d) { return d.get() == dset; });
}

int CPostDSetContainer::ExistCombDSet(const CPostDSet* source, CPostDSet*& combined) const {
  const auto it = m_mapCombDSet.find(source);
  if (it == m_mapCombDSet.end()) return 0;
  combined = it->second;
  return 1;
}

int CPostDSetContainer::RemoveDSet(const CPostDSet* dset) {
  const auto it = std::find_if(m_listDSet.begin(), m_listDSet.end(),
                               [dset](const auto& d) { return d.get() == dset; });
  if (!dset || it == m_listDSet.end()) return 0;
  // Every category list: the set's category may have changed since it was added.
  for (auto cat = m_mapCatDSet.begin(); cat != m_mapCatDSet.end();) {
    cat->second.remove_if([dset](const CPostDSet* d) { return d == dset; });
    cat = cat->second.empty() ? m_mapCatDSet.erase(cat) : std::next(cat);
  }
  std::erase_if(m_mapCombDSet,
                [dset](const auto& entry) { return entry.first == dset || entry.second == dset; });
  for (const auto& comp : dset->GetDCompList()) ForgetDComp(comp.get());
  m_listDSet.erase(it);
  return 1;
}

std::int32_t CPostDSetContainer::RemoveDComp4AllDSet(std::int32_t compType) {
  std::int32_t removed = 0;
  for (const auto& dset : m_listDSet) {
    while (CPostDComp* comp = dset->GetDComp(compType)) {
      ForgetDComp(comp);
      removed += dset->RemoveDComp(comp);
    }
  }
  return removed;
}

std::int32_t CPostDSetContainer::GetDSetListBylResCatType(const std::int32_t& dsetType,
                                                          const std::int32_t& resCatType,
                                                          zar::MList<CPostDSet*>& out) const {
  out.clear();
  const auto cat = m_mapCatDSet.find(resCatType);
  if (cat == m_mapCatDSet.end()) return 0;
  for (CPostDSet* dset : cat->second)
    if (dset->GetDSetType() == dsetType) out.push_back(dset);
  return static_cast<std::int32_t>(out.size());
}

void CPostDSetContainer::Clear() {
  m_mapCombDSet.clear();
  m_mapCatDSet.clear();
  m_listDSet.clear();
}

CPostDSet* CPostDSetContainer::Append(std::unique_ptr<CPostDSet> dset) {
  CPostDSet* added = m_listDSet.emplace_back(std::move(dset)).get();
  m_mapCatDSet[added->GetResCatType()].push_back(added);
  return added;
}

// A component combined into another set is named there by the source it came from.
void CPostDSetContainer::ForgetDComp(const CPostDComp* comp) {
  for (const auto& dset : m_listDSet) dset->ForgetCombDComp(comp);
}
