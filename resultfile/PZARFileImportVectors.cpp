// The id lists and data vectors of the record walk: which data set of the current step each
// vector joins, and with which loader.
#include <cstring>

#include "core/ResultId.h"
#include "datastore/PostDSetContainer.h"
#include "datastore/PostDSetModelResult.h"
#include "resultfile/PZARComp.h"
#include "resultfile/PZARElemCSysLoader.h"
#include "resultfile/PZARFile.h"
#include "resultfile/PZARFileCompositeAPI.h"
#include "resultfile/PZARFileImportHelper.h"
#include "resultfile/PZARPCB.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/PZARRecordCaseInfo.h"
#include "resultfile/records/PZARRecordIDList.h"
#include "resultfile/records/PZARRecordNodeElemIDList.h"
#include "resultfile/records/PZARRecordVector.h"
#include "session/POHScas.h"
#include "session/POHVcas.h"
#include "vresult/catalogue/VResultCatalogue.h"

namespace {

// 64-bit FNV-1a over the key ids.
constexpr std::uint64_t kFnvBasis = 14695981039346656037ull;
constexpr std::uint64_t kFnvPrime = 1099511628211ull;

// The catalogue's category of a stored component that the component table lacks.
std::int32_t CatalogueCategory(std::int32_t comp) {
  const TVResCatalogueRow* pRow =
      FindVResultCatalogueRow(comp > pvk::kPhaseAngleOffset ? comp - pvk::kPhaseAngleOffset : comp);
  return pRow ? pRow->nCategory : 0;
}

}  // namespace

std::int32_t IPZARFileImportHelper::CategoryOf(std::int32_t comp) {
  const std::int32_t category = PZAR::GetResultCatTypeFromPZARComp(comp);
  return category ? category : CatalogueCategory(comp);
}

bool IPZARFileImportHelper::DispatchCommon(CPZARRecord* pRecord) {
  switch (pRecord->GetType()) {
    case PZAR_RECORD_TYPE::NODE_ID_LIST:
      GetNodeIDList(PZARRecordCast<CPZARRecordNodeIDList>(pRecord));
      return true;
    case PZAR_RECORD_TYPE::ELEM_ID_LIST:
      GetElemIDList(PZARRecordCast<CPZARRecordElemIDList>(pRecord));
      return true;
    case PZAR_RECORD_TYPE::ACT_ELEM_ID_LIST:
    case PZAR_RECORD_TYPE::DEACT_ELEM_ID_LIST:
      GetActiveID(PZARRecordCast<CPZARRecordIDList>(pRecord),
                  pRecord->GetType() == PZAR_RECORD_TYPE::ACT_ELEM_ID_LIST);
      return true;
    case PZAR_RECORD_TYPE::CASE_INFO:
      if (auto* pCase = PZARRecordCast<CPZARRecordCaseInfo>(pRecord)) GetCaseInfo(pCase);
      return true;
    case PZAR_RECORD_TYPE::OUTPUT_SET:
      GetOutputSet(pRecord);
      return true;
    case PZAR_RECORD_TYPE::VECTOR:
      if (auto* pVector = PZARRecordCast<CPZARRecordVector>(pRecord)) GetOutputVector(pVector);
      return true;
    case PZAR_RECORD_TYPE::ELEM_CSYS:
      GetElemOutCSys(pRecord);
      return true;
    case PZAR_RECORD_TYPE::PLY_ID:
      if (auto* pPly = PZARRecordCast<CPZARRecordPlyID>(pRecord))
        pPly->LoadData(m_aPlyIDs, nullptr, nullptr);
      return true;
    default:
      return false;
  }
}

void IPZARFileImportHelper::GetActiveID(CPZARRecordIDList* pRecord, bool bActivated) {
  (bActivated ? m_pActElem : m_pDeactElem) = pRecord;
  CPOHScas* pScas = Scas(m_nPendingScas);
  if (!pScas) return;
  if (bActivated)
    pScas->SetActElemIDListLoader(pRecord);
  else
    pScas->SetDectElemIDListLoader(pRecord);
}

void IPZARFileImportHelper::GetNodeIDList(CPZARRecordNodeIDList* pRecord) {
  m_pActElem = nullptr;
  m_pDeactElem = nullptr;
  m_pElemIDList = nullptr;
  m_mapElemDSet.clear();
  m_mapLineDSet.clear();
  if (m_bResultTypeChanged || !SameIDs(m_pNodeIDList, pRecord)) {
    m_mapNodeDSet.clear();
    m_nCurResCat = 0;
  }
  m_bResultTypeChanged = false;
  m_pNodeIDList = pRecord;
}

void IPZARFileImportHelper::GetElemIDList(CPZARRecordElemIDList* pRecord) {
  m_pNodeIDList = nullptr;
  m_mapNodeDSet.clear();
  if (SameIDs(m_pElemIDList, pRecord)) {
    m_pElemIDList = pRecord;
    return;
  }
  m_mapElemDSet.clear();
  m_mapLineDSet.clear();
  m_pElemIDList = pRecord;
  const CPOHVcas* pStep = CurrentStep();
  const zar::MArray<std::int32_t>* pIDs = m_nCurResCat && pStep ? IDsOf(pRecord) : nullptr;
  if (!pIDs) {
    m_nCurResCat = 0;
    return;
  }
  // An element set of the category stored earlier in the step under the same ids takes the
  // vectors of this list too.
  CPostUnitModelResultDSet* pFound = FindElemDSet(*pIDs);
  if (!pFound) {
    m_nCurResCat = 0;
    return;
  }
  m_mapElemDSet[{m_nCurResCat, pFound->GetLOCType()}] = pFound;
}

IPZARFileImportHelper::TKeyDigest IPZARFileImportHelper::Digest(
    std::int32_t category, const zar::MArray<std::int32_t>& ids) {
  std::uint64_t hash = kFnvBasis;
  for (const std::int32_t id : ids) hash = (hash ^ static_cast<std::uint32_t>(id)) * kFnvPrime;
  return {category, ids.size(), hash};
}

std::size_t IPZARFileImportHelper::TKeyDigestHash::operator()(const TKeyDigest& d) const {
  return static_cast<std::size_t>(d.nHash ^ (d.nCount * kFnvPrime) ^
                                  static_cast<std::uint32_t>(d.nCategory));
}

void IPZARFileImportHelper::IndexElemDSet(CPostUnitModelResultDSet* pSet) {
  if (m_nIndexedStep != m_nVcas) {
    m_mapElemDSetByKeys.clear();
    m_nIndexedStep = m_nVcas;
  }
  // The set's keys are the current list's ids.
  if (const zar::MArray<std::int32_t>* pIDs = IDsOf(m_pElemIDList))
    m_mapElemDSetByKeys[Digest(m_nCurResCat, *pIDs)].push_back(pSet);
}

CPostUnitModelResultDSet* IPZARFileImportHelper::FindElemDSet(
    const zar::MArray<std::int32_t>& ids) {
  if (m_nIndexedStep != m_nVcas) return nullptr;
  const auto it = m_mapElemDSetByKeys.find(Digest(m_nCurResCat, ids));
  if (it == m_mapElemDSetByKeys.end()) return nullptr;
  // Equal digests only make a match likely; the keys decide.
  zar::MArray<std::int32_t> keys;
  for (CPostUnitModelResultDSet* pSet : it->second)
    if (pSet->LoadKey(keys) && keys == ids) return pSet;
  return nullptr;
}

void IPZARFileImportHelper::GetElemOutCSys(CPZARRecord* pRecord) {
  auto* pCSys = dynamic_cast<IPostDataUnitResultLoader<pvk::TElemOutCsys_d>*>(pRecord);
  if (!pCSys || !m_pElemIDList || pCSys->GetDataCount() != m_pElemIDList->GetDataCount()) return;
  if (!m_pCSysLoader) m_pCSysLoader = std::make_shared<CPZARElemCSysLoader>();
  m_pCSysLoader->AddLoader(m_pElemIDList, pCSys);
}

bool IPZARFileImportHelper::GetOutputVector_SetResCat(CPZARRecordVector* pVector) {
  const std::int32_t comp = pVector->GetHeader().id;
  std::int32_t category = 0;
  unsigned int info[6] = {};
  if (PZAR_Composite::GetCompositeInformation(m_aPlyIDs, comp, info)) {
    std::memcpy(m_aCompositeInfo, info, sizeof(info));
    int plyId = 0;
    const int compositeClass = PZAR_Composite::IsComposite(info, plyId);
    category = compositeClass == 3   ? 990 + plyId
               : compositeClass == 1 ? 97
               : compositeClass == 2 ? 98
                                     : PZAR::GetResultCatTypeFromPZARComp(comp);
  } else if (pvk::IsPCBId(comp)) {
    category = PZAR_PCB::GetComponentResCatType(comp);
  } else {
    category = CategoryOf(comp);
  }
  if (category == 0) return false;
  m_nCurResCat = category;
  return true;
}

void IPZARFileImportHelper::GetOutputVector(CPZARRecordVector* pVector) {
  if (!CurrentStep() || pVector->IsElemCornerData() || !GetOutputVector_SetResCat(pVector)) return;
  if (GetOutputVector_LineElem(pVector)) return;
  if (GetOutputVector_Node(pVector)) return;
  GetOutputVector_ElemCenter(pVector);
}

CPostUnitModelResultDSet* IPZARFileImportHelper::ElemDSet(TElemDSetMap& map,
                                                          pvk::LOC_TYPE locType) {
  CPostUnitModelResultDSet*& pSet = map[{m_nCurResCat, locType}];
  if (!pSet) {
    pSet = static_cast<CPostUnitModelResultDSet*>(
        CurrentStep()->GetDSetContainer()->AddUnitResultDSet(locType, m_nCurResCat));
    pSet->SetDataLoaderKey(m_pElemIDList);
    pSet->SetElemCSysLoader(m_pCSysLoader);
    IndexElemDSet(pSet);
  }
  return pSet;
}

int IPZARFileImportHelper::AddElemOutVector(CPZARRecordVector* pVector, TElemDSetMap& map) {
  CPZARElemOutVector* pOut = m_info.pFile->AddElemOutVector();
  pOut->SetVector(pVector, m_pElemIDList);
  // More than three related components give one value per related vector, not per node.
  const pvk::LOC_TYPE loc = pOut->IsMultiComponent() ? pvk::LOC_ELEM_CORNER : pvk::LOC_ELEM;
  ElemDSet(map, loc)->AddDComp(pVector->GetHeader().id)->SetDataLoader(pOut);
  return 1;
}

int IPZARFileImportHelper::GetOutputVector_LineElem(CPZARRecordVector* pVector) {
  if (!pVector->IsLineElemComp() || !m_pElemIDList) return 0;
  return AddElemOutVector(pVector, m_mapLineDSet);
}

CPostUnitModelResultDComp* IPZARFileImportHelper::AddNodeComp(CPZARRecordVector* pVector) {
  if (pVector->GetVectorDataType() != 0 || !m_pNodeIDList) return nullptr;
  CPostUnitModelResultDSet*& pSet = m_mapNodeDSet[m_nCurResCat];
  if (!pSet) {
    pSet = static_cast<CPostUnitModelResultDSet*>(
        CurrentStep()->GetDSetContainer()->AddUnitResultDSet(pvk::LOC_NODE, m_nCurResCat));
    pSet->SetDataLoaderKey(m_pNodeIDList);
  }
  auto* pComp = static_cast<CPostUnitModelResultDComp*>(pSet->AddDComp(pVector->GetHeader().id));
  pComp->SetDataLoader(pVector);
  return pComp;
}
