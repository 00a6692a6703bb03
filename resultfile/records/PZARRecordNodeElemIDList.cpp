#include "resultfile/records/PZARRecordNodeElemIDList.h"

#include <limits>

#include "resultfile/PZARFile.h"
#include "resultfile/RecordFactory.h"
#include "resultfile/RecordTypes.h"

namespace {

using PZAR_RECORD_TYPE::ELEM_ID_LIST;
using PZAR_RECORD_TYPE::NODE_ID_LIST;

constexpr TIDListTraits kNodes{NODE_ID_LIST, 1, L"Node ID Size: %d\n", true, false};
constexpr TIDListTraits kElems{ELEM_ID_LIST, 1, L"Element ID Size: %d\n", true, true};

const TPZARRecordRegistrar_130_140<CPZARRecordNodeIDList> s_nodes(NODE_ID_LIST);
const TPZARRecordRegistrar_130_140<CPZARRecordElemIDList> s_elems(ELEM_ID_LIST);

const IPZARSequencedVector* AsVector(const CPZARRecord* pRecord) {
  return dynamic_cast<const IPZARSequencedVector*>(pRecord);
}

}  // namespace

CPZARRecordNodeIDList::CPZARRecordNodeIDList() : CPZARRecordIDList(kNodes) {}

int CPZARRecordNodeIDList::OnScanned(CFile&) {
  if (CPZARFile* pFile = GetFile()) pFile->SetCurNodeCnt(GetHeader().id);
  return 1;
}

int CPZARRecordNodeIDList::AddVector(CPZARRecord* pVector) {
  const IPZARSequencedVector* pInfo = AsVector(pVector);
  if (!pInfo || pInfo->GetVectorDataType() != 0) return 0;
  return m_mapVectors.emplace(pVector->GetHeader().id, pVector).second ? 1 : 0;
}

CPZARRecord* CPZARRecordNodeIDList::GetVector(std::int32_t compId) const {
  const auto it = m_mapVectors.find(compId);
  return it == m_mapVectors.end() ? nullptr : it->second;
}

CPZARRecordElemIDList::CPZARRecordElemIDList() : CPZARRecordIDList(kElems) {}

int CPZARRecordElemIDList::OnScanned(CFile&) {
  if (CPZARFile* pFile = GetFile()) pFile->SetCurElemCnt(GetHeader().id);
  return 1;
}

int CPZARRecordElemIDList::AddVector(CPZARRecord* pVector) {
  const IPZARSequencedVector* pInfo = AsVector(pVector);
  if (!pInfo) return 0;
  switch (pInfo->GetVectorDataType()) {
    case 1:
      m_mapElemVectors.emplace(pVector->GetHeader().id, pVector);
      return 1;
    case 2:
      m_mapCornerVectors.emplace(pVector->GetHeader().id, pVector);
      return 1;
    default:
      return 0;
  }
}

void CPZARRecordElemIDList::ClearVectors() {
  m_mapElemVectors.clear();
  m_mapCornerVectors.clear();
}

CPZARRecord* CPZARRecordElemIDList::GetVector(CPZARRecord* pVector, std::int32_t compId) const {
  const IPZARSequencedVector* pInfo = AsVector(pVector);
  if (!pInfo) return nullptr;
  if (pInfo->GetVectorDataType() == 1 && pInfo->IsLineElemComp()) {
    return FirstAfter(m_mapElemVectors, compId, std::numeric_limits<std::int32_t>::min());
  }
  return FirstAfter(m_mapCornerVectors, compId, pInfo->GetVectorSeqNo());
}

CPZARRecord* CPZARRecordElemIDList::FirstAfter(const TVectorMap& map, std::int32_t compId,
                                               std::int32_t afterSeqNo) {
  CPZARRecord* pBest = nullptr;
  std::int32_t bestSeqNo = std::numeric_limits<std::int32_t>::max();
  const auto [first, last] = map.equal_range(compId);
  for (auto it = first; it != last; ++it) {
    const std::int32_t seqNo = AsVector(it->second)->GetVectorSeqNo();
    if (seqNo > afterSeqNo && (!pBest || seqNo < bestSeqNo)) {
      pBest = it->second;
      bestSeqNo = seqNo;
    }
  }
  return pBest;
}
