#include "datastore/PostDSetModelResult.h"

#include "datastore/PostDSetIndex.h"

int CPostUnitModelResultDComp::LoadFace(zar::MArray<std::int32_t>& ids,
                                        zar::MArray<zar::MVector<double, 3>>& points) const {
  Loader* loader = GetLoader();
  return loader && loader->LoadFace(ids, points) ? 1 : 0;
}

int CPostUnitModelResultDComp::Load(zar::MArray<double>& values,
                                    const zar::MArray<std::uint64_t>& dbItrs,
                                    IPreDBLinker* linker) const {
  Loader* loader = GetLoader();
  return loader && loader->LoadData(values, dbItrs, linker) ? 1 : 0;
}

int CPostUnitModelResultDComp::Load(zar::MArray<double>& values, zar::MArray<std::uint64_t>& dbItrs,
                                    IPreDBLinker* linker, zar::MArray<std::int32_t>* ids) const {
  Loader* loader = GetLoader();
  return loader && loader->LoadData(values, dbItrs, linker, ids) ? 1 : 0;
}

int CPostUnitModelResultDComp::Load(zar::MArray<double>& values, IPreDBLinker* linker,
                                    zar::MArray<std::int32_t>* ids) const {
  Loader* loader = GetLoader();
  return loader && loader->LoadData(values, linker, ids) ? 1 : 0;
}

int CPostUnitModelResultDComp::Overwrite(zar::MArray<double>& values, IPreDBLinker* linker,
                                         zar::MArray<std::int32_t>* ids) const {
  Loader* loader = GetLoader();
  return loader && loader->OverwriteData(values, linker, ids) ? 1 : 0;
}

CPostDComp* CPostUnitModelResultDSet::AddDComp(std::int32_t compType) {
  return AppendDComp(std::make_unique<CPostUnitModelResultDComp>(compType));
}

int CPostUnitModelResultDSet::LoadKey(zar::MArray<std::int32_t>& keys) const {
  return m_pKeyLoader ? m_pKeyLoader->LoadData(keys, nullptr, nullptr) : 0;
}

int CPostUnitModelResultDSet::OverwriteKey(zar::MArray<std::int32_t>& keys) const {
  return m_pKeyLoader ? m_pKeyLoader->OverwriteData(keys, nullptr, nullptr) : 0;
}

int CPostUnitModelResultDSet::TransWithoutDComp(CPostDSet* target) const {
  auto* set = dynamic_cast<CPostUnitModelResultDSet*>(target);
  if (!set || set == this) return 0;
  set->m_pKeyLoader = m_pKeyLoader;
  set->m_pCSysLoader = m_pCSysLoader;
  return 1;
}

int CPostUnitModelResultDSet::LoadElemOutCsys(zar::MArray<pvk::TElemOutCsys_d>& csys) const {
  return m_pCSysLoader ? m_pCSysLoader->LoadData(csys, nullptr, nullptr) : 0;
}

int CPostUnitModelResultDSet::LoadDSI(zar::MArray<std::int32_t>& dsi,
                                      zar::MArray<std::int32_t>& dct, IPreDBLinker* linker,
                                      zar::MArray<std::int32_t>* ids) const {
  if (!linker || !ids || ids->empty() || GetLOCType() == 0) return 0;
  const std::int32_t nValuePerCorner = GetLOCType() == pvk::LOC_ELEM_CORNER ? ValuePerCorner() : 0;
  if (GetLOCType() == pvk::LOC_ELEM_CORNER && nValuePerCorner <= 0) {
    dsi.assign(ids->size(), 0);
    dct.assign(ids->size(), 0);
    return 0;
  }
  return pvk::dsi::IndexModelEntities(GetLOCType(), *linker, *ids, nValuePerCorner, dsi, dct);
}

// The third field of the first component's data information: 1 + related vectors.
std::int32_t CPostUnitModelResultDSet::ValuePerCorner() const {
  const auto& comps = GetDCompList();
  const auto* first =
      comps.empty() ? nullptr : dynamic_cast<const CPostUnitModelResultDComp*>(comps.front().get());
  CPostUnitModelResultDComp::Loader* loader = first ? first->GetLoader() : nullptr;
  pvk::TVResDInfo info;
  return loader && loader->GetDataInfo(&info) ? info.nInfo[2] : 0;
}

int CPostUnitModelResultDSet::LoadReactionKey(zar::MArray<std::int32_t>& ids,
                                              zar::MArray<zar::MVector<double, 3>>& points) const {
  ids.clear();
  points.clear();
  if (GetLOCType() != pvk::LOC_POINT) return 0;
  for (const auto& pComp : GetDCompList()) {
    const auto* pModelComp = dynamic_cast<const CPostUnitModelResultDComp*>(pComp.get());
    if (pModelComp && pModelComp->LoadFace(ids, points) && ids.size() == points.size()) return 1;
    ids.clear();
    points.clear();
  }
  return 0;
}
