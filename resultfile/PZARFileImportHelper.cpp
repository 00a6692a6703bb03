#include "resultfile/PZARFileImportHelper.h"

#include <algorithm>

#include "base/MsgOut.h"
#include "base/ValidAddress.h"
#include "core/ModelDBLink.h"
#include "resultfile/PZARElemCSysLoader.h"
#include "resultfile/PZARFile.h"
#include "resultfile/PZARSourceSites.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/PZARRecordCaseInfo.h"
#include "resultfile/records/PZARRecordNodeElemIDList.h"
#include "resultfile/records/PZARRecordOutputSet.h"
#include "resultfile/records/PZARRecordSolverInfo.h"
#include "session/POHMcas.h"
#include "session/POHPoolBase.h"
#include "session/POHScas.h"
#include "session/POHSession.h"
#include "session/POHVcas.h"

namespace {

bool IsValidItr(std::uint64_t itr) {
  return itr && zar::IsValidAddress(reinterpret_cast<const void*>(itr), 1);
}

}  // namespace

IPZARFileImportHelper::~IPZARFileImportHelper() = default;

void IPZARFileImportHelper::Initialize(TPostImportInfo* pInfo) {
  if (!pInfo) return;
  m_info = *pInfo;
  m_bWithoutDB = m_info.nDBItr == 0 ? 1 : 0;
  m_bStepSort = StepSortByDB() ? 1 : 0;
}

bool IPZARFileImportHelper::StepSortByDB() const {
  if (!IsValidItr(m_info.nDBItr) || !m_info.pLinker) return false;
  const IPreDBTable* pTable = m_info.pLinker->GetTable(IPreDBLinker::N_ANALYSIS_TABLE);
  const auto* pRecord =
      static_cast<const unsigned char*>(pTable ? pTable->GetRecord(m_info.nDBItr) : nullptr);
  constexpr std::size_t kKindByte = IPreDBLinker::N_ANALYSIS_KIND_BYTE;
  if (!pRecord || !zar::IsValidAddress(pRecord, kKindByte + 1)) return false;
  // The analysis kinds whose steps are sorted by name.
  return pRecord[kKindByte] == 114 || pRecord[kKindByte] == 115;
}

void IPZARFileImportHelper::Import() {
  if (!m_info.pSession || !m_info.pFile || !m_nMcas) return;
  GetRecord();
  GetRecordFile();
  ModifySortingData();
  MakeVResult(m_nMcas);
  MakeVolumeData();
  MakeFacetData();
}

void IPZARFileImportHelper::GetSolverUnitIndex(zar::lib::T_UNIT_INDEX* pUnit) {
  const auto* pSolver = m_info.pFile ? PZARRecordCast<CPZARRecordSolverInfo>(
                                           m_info.pFile->GetRecord(PZAR_RECORD_TYPE::SOLVER_INFO))
                                     : nullptr;
  if (pUnit && pSolver) *pUnit = pSolver->GetUnitIndex();
}

CPOHPoolBase& IPZARFileImportHelper::Pool(std::int32_t level) const {
  return *m_info.pSession->GetPOHPool(level);
}

CPOHScas* IPZARFileImportHelper::Scas(std::uint64_t itr) const {
  return itr ? static_cast<CPOHScas*>(Pool(pvk::POH_LEVEL_SCAS).GetAt(itr)) : nullptr;
}

CPOHVcas* IPZARFileImportHelper::Vcas(std::uint64_t itr) const {
  return itr ? static_cast<CPOHVcas*>(Pool(pvk::POH_LEVEL_VCAS).GetAt(itr)) : nullptr;
}

void IPZARFileImportHelper::StartStep() {
  m_mapNodeDSet.clear();
  m_mapElemDSet.clear();
  m_mapLineDSet.clear();
  m_pCSysLoader = std::make_shared<CPZARElemCSysLoader>();
}

void IPZARFileImportHelper::GetCaseInfo(CPZARRecordCaseInfo* pRecord) {
  const CString& title = pRecord->GetTitle();
  CPOHPoolBase& scasPool = Pool(pvk::POH_LEVEL_SCAS);
  const std::uint64_t reused = FindScas(title);
  const auto* pMcas = static_cast<const CPOHMcas*>(Pool(pvk::POH_LEVEL_MCAS).GetAt(m_nMcas));
  std::uint64_t loadCase =
      m_info.pLinker ? m_info.pLinker->FindLoadCase(pMcas->GetDBIterator(), title) : 0;
  if (!IsValidItr(loadCase)) {
    if (!reused && !m_bWithoutDB && !m_bHasScas) {
      zar::lib::nsMsgOutFormat(L"pre-DB match FAILED : %s", title.GetString());
      zar::lib::nsMsgOutFormat(L"in %S at line %d\n", pzar_site::kPreDBMatchFailed.szUnit,
                               pzar_site::kPreDBMatchFailed.nLine);
    }
    loadCase = 0;
  }
  m_nPendingScas = reused;
  if (!reused) {
    m_nPendingScas = scasPool.Add();
    CPOHScas* pScas = Scas(m_nPendingScas);
    pScas->SetParent(m_nMcas);
    pScas->SetName(title);
    pScas->SetMecAnalType(pRecord->GetAnalType());
    pScas->SetDBIterator(loadCase);
    m_bHasScas = true;
    m_mapScasByTitle.emplace(title.str(), m_nPendingScas);
  }
  m_nVcas = Pool(pvk::POH_LEVEL_VCAS).Add();
  // A new sub-case has this step only; a re-used one has its earlier steps too.
  m_nCaseStep = reused ? 0 : m_nVcas;
  CPOHVcas* pStep = CurrentStep();
  pStep->SetParent(m_nPendingScas);
  pStep->SetName(title);
  StartStep();
}

std::uint64_t IPZARFileImportHelper::FindScas(const CString& title) const {
  const auto it = m_mapScasByTitle.find(title.str());
  return it == m_mapScasByTitle.end() ? 0 : it->second;
}

int IPZARFileImportHelper::GetOutputSet(CPZARRecord* pRecord) {
  auto* pSet = PZARRecordCast<CPZARRecordOutputSet>(pRecord);
  if (!pSet) return 0;
  if (m_nPendingScas) {
    m_nScas = m_nPendingScas;
    m_nPendingScas = 0;
    Scas(m_nScas)->SetHasStep(1);
  }
  if (CPOHScas* pScas = Scas(m_nScas)) {
    // The step that the case information made is taken by the sub-case's first output set.
    const CPOHVcas* pCurrent = CurrentStep();
    const bool reuse = pCurrent && m_nVcas == m_nCaseStep && pCurrent->GetParent() == m_nScas &&
                       pCurrent->GetName() == pScas->GetName();
    m_nCaseStep = 0;
    if (!reuse) m_nVcas = Pool(pvk::POH_LEVEL_VCAS).Add();
    CPOHVcas* pStep = CurrentStep();
    pStep->SetParent(m_nScas);
    pStep->SetName(pSet->GetTitle());
    const bool matched = m_info.pLinker && m_info.pLinker->QuerySolver(pSet->GetAnalType());
    pStep->SetSolverType(matched ? pvk::POHV_SOLVER_MATCHED : pvk::POHV_SOLVER_DEFAULT);
    pStep->SetStepValue(pSet->GetSetValue());
    if (m_bStepSort) {
      const CString name = pStep->GetName();
      auto& group = name.Find(L"LOAD") >= 0  ? m_aStepLoad
                    : name.Find(L"PSD") >= 0 ? m_aStepPSD
                                             : m_aStepOther;
      group.push_back(pStep);
      // The step's own key: looked up by name, two steps of one name would give one key twice
      // and the reassignment would put one step under two keys and lose the other.
      m_aStepKey.push_back(Pool(pvk::POH_LEVEL_VCAS).GetKeyByItr(m_nVcas));
    }
  }
  StartStep();
  return 1;
}

void IPZARFileImportHelper::ModifySortingData() {
  if (!m_bStepSort) return;
  std::sort(m_aStepKey.begin(), m_aStepKey.end());
  if (m_aStepKey.size() != m_aStepLoad.size() + m_aStepPSD.size() + m_aStepOther.size()) return;
  // The pool keeps its order; the steps move between the keys, LOAD steps first.
  auto key = m_aStepKey.begin();
  for (const auto* pGroup : {&m_aStepLoad, &m_aStepPSD, &m_aStepOther})
    for (CPOHBase* pStep : *pGroup) Pool(pvk::POH_LEVEL_VCAS).SetAt(*key++, pStep);
}

const zar::MArray<std::int32_t>* IPZARFileImportHelper::IDsOf(CPZARRecordIDList* pList) {
  if (!pList) return nullptr;
  if (m_pIDsOwner != pList) {
    m_pIDsOwner = nullptr;
    if (!pList->LoadData(m_aIDs, nullptr, nullptr)) return nullptr;
    m_pIDsOwner = pList;
  }
  return &m_aIDs;
}

bool IPZARFileImportHelper::SameIDs(CPZARRecordIDList* pPrevious, CPZARRecordIDList* pNext) {
  if (!pPrevious || !pNext || pPrevious->GetDataCount() != pNext->GetDataCount()) return false;
  const zar::MArray<std::int32_t>* pOld = IDsOf(pPrevious);
  if (!pOld) return false;
  const zar::MArray<std::int32_t> previous = *pOld;
  const zar::MArray<std::int32_t>* pNew = IDsOf(pNext);
  return pNew && *pNew == previous;
}

void IPZARFileImportHelper::ReleaseRecordFlags() {
  if (m_info.pFile) m_info.pFile->DeInitAllRecordFlags();
}
