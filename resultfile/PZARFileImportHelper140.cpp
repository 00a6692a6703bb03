#include "resultfile/PZARFileImportHelper140.h"

#include "datastore/PostDSetContainer.h"
#include "datastore/PostDSetEntityCaseInfo.h"
#include "datastore/PostDSetEntityComp.h"
#include "datastore/PostDSetModelResult.h"
#include "resultfile/PZARFile.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/PZARRecordBlocks150.h"
#include "resultfile/records/PZARRecordConcNodalVector.h"
#include "resultfile/records/PZARRecordEntityCaseInfo.h"
#include "resultfile/records/PZARRecordIDList.h"
#include "resultfile/records/PZARRecordNodeElemIDList.h"
#include "resultfile/records/PZARRecordVector.h"
#include "session/POHScas.h"
#include "session/POHVcas.h"

namespace {

template <class T>
void Append(zar::MArray<T>& to, const zar::MArray<T>& from) {
  to.insert(to.end(), from.begin(), from.end());
}

}  // namespace

void CPZARFileImportHelper_140::GetRecord() {
  m_info.pFile->InitAllRecordFlags();
  for (const auto& pOwned : m_info.pFile->GetRecordList()) {
    CPZARRecord* pRecord = pOwned.get();
    if (DispatchCommon(pRecord)) continue;
    switch (pRecord->GetType()) {
      case PZAR_RECORD_TYPE::RES_ID_LIST:
        m_pResIDList = PZARRecordCast<CPZARRecordResIDList>(pRecord);
        break;
      case PZAR_RECORD_TYPE::ELEM_ID_LIST_ON_MCAS:
        if (CPOHScas* pScas = Scas(m_nPendingScas ? m_nPendingScas : m_nScas))
          pScas->SetElemIDListOnMcas(PZARRecordCast<CPZARRecordElemIDListOnMcas>(pRecord));
        break;
      case PZAR_RECORD_TYPE::CONC_NODAL_VECTOR:
        GetConcNodalVector(pRecord);
        break;
      case PZAR_RECORD_TYPE::ENTITY_CASE_INFO:
        GetEntityCaseInfo(pRecord);
        break;
      case PZAR_RECORD_TYPE::RESULT_TYPE:
        GetResultType(pRecord);
        break;
      default:
        break;
    }
  }
  ReleaseRecordFlags();
}

void CPZARFileImportHelper_140::GetResultType(CPZARRecord* pRecord) {
  const std::int32_t type = pRecord->GetHeader().id != 0 ? 2 : 1;
  if (type != m_nResultType) m_bResultTypeChanged = true;
  m_nResultType = type;
}

int CPZARFileImportHelper_140::GetOutputSet(CPZARRecord* pRecord) {
  const int nResult = CPZARFileImportHelper_130::GetOutputSet(pRecord);
  m_mapStepCaseInfo.clear();
  return nResult;
}

int CPZARFileImportHelper_140::GetOutputVector_Node(CPZARRecordVector* pVector) {
  CPostUnitModelResultDComp* pComp = AddNodeComp(pVector);
  if (!pComp) return 0;
  pComp->SetNeedNodeLocalCycs(pVector->NeedNodeLocalCycs());
  return 1;
}

void CPZARFileImportHelper_140::GetConcNodalVector(CPZARRecord* pRecord) {
  auto* pVector = PZARRecordCast<CPZARRecordConcNodalVector>(pRecord);
  zar::MArray<std::int32_t> resIds;
  if (!pVector || !Scas(m_nScas) || !CurrentStep() || !m_pResIDList || !m_pNodeIDList ||
      !m_pResIDList->LoadData(resIds, nullptr, nullptr) || resIds.empty()) {
    return;
  }
  const std::int32_t category = CategoryOf(pRecord->GetHeader().id);
  auto* pSet = static_cast<CPostUnitEntityCompDSet*>(
      CurrentStep()->GetDSetContainer()->AddUnitEntityCompDSet(
          m_nResultType == 2 ? pvk::LOC_FACET : pvk::LOC_NODE, category));
  pSet->SetDataLoaderKey(m_pNodeIDList);
  pSet->SetDataLoaderResID(m_pResIDList);
  zar::MArray<unsigned int> comps;
  for (const std::int32_t comp : pVector->GetInfo().m_ints.m_nComponent)
    if (comp != 0) comps.push_back(static_cast<unsigned int>(comp));
  pSet->SetCompList(comps);
  for (std::size_t i = 0; i < resIds.size(); ++i) {
    auto* pComp = static_cast<CPostUnitEntityDComp*>(pSet->AddDComp(resIds[i]));
    pComp->SetResIDOffsetIndex(static_cast<std::int32_t>(i));
    pComp->SetDataLoader(pVector);
  }
  // Each concurrent nodal vector consumes the result id list before it.
  m_pResIDList = nullptr;
}

void CPZARFileImportHelper_140::GetEntityCaseInfo(CPZARRecord* pRecord) {
  auto* pInfo = PZARRecordCast<CPZARRecordEntityCaseInfoD>(pRecord);
  CPZARRecordIDList* pKeys = m_pElemIDList ? static_cast<CPZARRecordIDList*>(m_pElemIDList)
                                           : static_cast<CPZARRecordIDList*>(m_pNodeIDList);
  zar::MArray<std::int32_t> resIds;
  if (!pInfo || !Scas(m_nScas) || !CurrentStep() || !m_pResIDList || !pKeys ||
      !m_mapStepCaseInfo.empty() || !m_pResIDList->LoadData(resIds, nullptr, nullptr)) {
    return;
  }
  pInfo->SetDataLoaderKey(pKeys);
  std::map<std::int32_t, std::int32_t> nextIndex;
  for (const std::int32_t resId : resIds) {
    const std::int32_t category = CategoryOf(resId);
    if (category == 0) continue;
    CPostDSet*& pSet = m_mapStepCaseInfo[category];
    if (!pSet) {
      auto* pNew = static_cast<CPostUnitEntityCaseInfoDSet*>(
          CurrentStep()->GetDSetContainer()->AddUnitEntityCaseInfoDSet(pInfo->GetLocType(),
                                                                       category));
      pNew->SetDataLoaderKey(pKeys);
      pNew->SetDataLoaderResID(m_pResIDList);
      pSet = pNew;
    }
    auto* pComp = static_cast<CPostUnitEntityDComp*>(pSet->AddDComp(resId));
    pComp->SetResIDOffsetIndex(nextIndex[category]++);
    pComp->SetDataLoader(pInfo);
  }
}

void CPZARFileImportHelper_140::MakeFacetData() {
  zar::MArray<int> ids, elems, bodies, nodes;
  zar::MArray<zar::MVector<double, 3>> pos;
  for (const auto& pOwned : m_info.pFile->GetRecordList()) {
    if (const auto* pNode = PZARRecordCast<const CPZARRecordNode_150>(pOwned.get())) {
      if (!pNode->GetNodeData(ids, pos)) continue;
      Append(m_aFacetNodeID, ids);
      Append(m_aFacetNodePos, pos);
    } else if (const auto* pElem = PZARRecordCast<const CPZARRecordElement_150>(pOwned.get())) {
      if (!pElem->GetFacetData(ids, elems, bodies, nodes)) continue;
      Append(m_aFacetElem[0], ids);
      Append(m_aFacetElem[1], elems);
      Append(m_aFacetElem[2], bodies);
      Append(m_aFacetElem[3], nodes);
    }
  }
}
