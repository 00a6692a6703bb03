#include "ibm/MeshPostUnit.h"

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
  m_body.Build(m_aBodySet);
  RebuildBodyList();
  return 1;
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
  return IsBodyShown(idx) && data && data->IsShowResult(GetBodyDataIndex(idx));
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
