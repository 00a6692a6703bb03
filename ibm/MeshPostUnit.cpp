#include "ibm/MeshPostUnit.h"

#include <algorithm>

#include "base/MsgOut.h"
#include "ibm/MPUVolume.h"

namespace {

template <class T, class Pred>
T* FindIn(const CMPUPost::TOwnedList<T>& list, Pred pred) {
  const auto it = std::find_if(list.begin(), list.end(), [&](const auto& p) { return pred(*p); });
  return it == list.end() ? nullptr : it->get();
}

}  // namespace

void CMPUPost::Clear() {
  m_aBodySet.clear();  // first: body sets point at the blocks below
  m_aBndrD.clear();
  m_aFatMatD.clear();
  m_aFatD.clear();
  m_aMatD.clear();
  m_aOptimizeD.clear();
  m_aPCBD.clear();
  m_body.Clear();
  m_facet.ClearStruct();
  RebuildBodyList();
}

void CMPUPost::SetVolumeData(zar::MArray<char> nodeFlags, zar::MArray<char> cellFlags) {
  m_aGridNodeFlag = std::move(nodeFlags);
  m_aCellFlag = std::move(cellFlags);
}

void CMPUPost::SetFacetNodeData(zar::MArray<std::int32_t> ids,
                                zar::MArray<zar::MVector<double, 3>> pos) {
  m_facet.SetNodeData(std::move(ids), std::move(pos));
}

void CMPUPost::SetFacetElemData(zar::MArray<std::int32_t> facetIDs,
                                zar::MArray<std::int32_t> elemIDs,
                                zar::MArray<std::int32_t> bodyIDs,
                                zar::MArray<std::int32_t> nodeIDs) {
  m_facet.SetElemData(
      {std::move(facetIDs), std::move(elemIDs), std::move(bodyIDs), std::move(nodeIDs)});
}

int CMPUPost::CompileVolume(void* /*bodyModel*/) {
  m_strVolumeReason.Empty();
  int ok = 1;
  if (m_aGridNodeFlag.empty() && m_aCellFlag.empty())
    m_body.Build(m_aBodySet);
  else
    ok = BuildGridBodies();
  RebuildBodyList();
  return ok;
}

int CMPUPost::BuildGridBodies() {
  m_aBodySet.clear();
  zar::MArray<mpu_volume::TGridMesh> meshes;
  if (!mpu_volume::Build(m_aBndrD, m_aGridNodeFlag, m_aCellFlag, m_body, meshes,
                         m_strVolumeReason)) {
    zar::lib::nsMsgOutWarning(L"The grid mesh cannot be built: %s\n", m_strVolumeReason);
    return 0;
  }
  std::int32_t cellStart = 0;
  for (std::size_t g = 0; g < meshes.size(); ++g) {
    TMPUBodySet& set = *MakeBodySet();
    set.m_pBndrD = m_aBndrD[g].get();
    set.m_nBodyID = set.m_pBndrD->m_nPartID;
    set.m_nCellStart = cellStart;
    set.m_aNodeID = std::move(meshes[g].m_aNodeID);
    set.m_aElemID = std::move(meshes[g].m_aElemID);
    AttachRecords(set);
    cellStart += mpu_volume::GetCellCount(*set.m_pBndrD);
  }
  return 1;
}

void CMPUPost::AttachRecords(TMPUBodySet& set) const {
  const std::int32_t part = set.m_nBodyID;
  set.m_pFatD = FindIn(m_aFatD, [part](const TMPUFatD& d) { return d.m_nPartID == part; });
  if (set.m_pFatD) {
    const std::int32_t mat = set.m_pFatD->m_nMatID;
    set.m_pFatMatD = FindIn(m_aFatMatD, [mat](const TMPUFatMatD& d) { return d.m_nMatID == mat; });
  }
  set.m_pMatD = FindIn(m_aMatD, [part](const TMPUMatD& d) { return d.m_nPartID == part; });
}

int CMPUPost::CompileFacet() {
  const int ok = m_facet.Compile();
  RebuildBodyList();
  return ok;
}

int CMPUPost::RebuildMPU(void* bodyModel) {
  const int volume = CompileVolume(bodyModel);
  const int facet = CompileFacet();
  return volume && facet;
}

void CMPUPost::SetBodyShown(std::int32_t idx, bool shown) {
  if (IsBodyIndex(idx)) m_aBodyShown[idx] = shown;
}

bool CMPUPost::IsBodyShowingResult(std::int32_t idx, const CMPUData* data) const {
  const std::int32_t dataIdx = GetBodyDataIndex(idx);
  return IsBodyShown(idx) && data && data->IsShown(dataIdx) && data->IsShowResult(dataIdx);
}

CMPUData CMPUPost::MakeData() const {
  CMPUData data;
  data.SetCount(GetBodyCount());
  return data;
}

// Every body set is a body of its own, so body set i is body i.
void CMPUPost::RebuildBodyList() {
  m_aBodyID.clear();
  m_mapBody.clear();
  for (const auto& set : m_aBodySet) {
    m_mapBody.try_emplace(set->m_nBodyID, GetBodyCount());
    m_aBodyID.push_back(set->m_nBodyID);
  }
  for (const TMPUFacetGroup& group : *m_facet.GetStruct().m_pGroup)
    AddMPUIndex(m_mapBody, m_aBodyID, group.m_nBodyID);
  m_aBodyShown.assign(m_aBodyID.size(), 1);
}
