// The end of the import: the reaction records of the solver's text output, and the virtual
// results of every step made from its data sets.
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "core/ResultId.h"
#include "datastore/PostDSetContainer.h"
#include "datastore/PostDSetModelResult.h"
#include "resultfile/PZARFileEx.h"
#include "resultfile/PZARFileImportHelper.h"
#include "resultfile/PZARPCB.h"
#include "session/POHPoolBase.h"
#include "session/POHTypes.h"
#include "session/POHVcas.h"
#include "vresult/CompTypeVResMap.h"
#include "vresult/CompTypeVResMapManager.h"
#include "vresult/VResult.h"
#include "vresult/VResultFactory.h"
#include "vresult/VResultFactoryManager.h"
#include "vresult/VResultPackage.h"
#include "vresult/catalogue/VResultCatalogue.h"

namespace {

// Every data set of the category, whatever its type: each result binds the types it reads.
zar::MList<CPostDSet*> SetsOfCategory(const CPostDSetContainer& container, std::int32_t category) {
  zar::MList<CPostDSet*> all, sets;
  for (std::int32_t type = pvk::POST_DSET_UNIT_MODEL_RESULT;
       type <= pvk::POST_DSET_UNIT_ENTITY_CASE_DATA; ++type) {
    container.GetDSetListBylResCatType(type, category, sets);
    all.splice(all.end(), sets);
  }
  return all;
}

// A name as the case-insensitive comparison sees it.
std::wstring Folded(const CString& name) { return CString(name).MakeLower().str(); }

// The sub-cases of a result file and their steps by folded name, the first in pool order
// winning: each reaction table names its step, and there may be thousands of both.
class CStepsByName {
public:
  CStepsByName(const CPOHPoolBase& scasPool, const CPOHPoolBase& vcasPool, std::uint64_t mcas) {
    for (std::uint64_t itr = scasPool.GetHeadPosition(); itr;) {
      const std::uint64_t cur = itr;
      const CPOHBase* pNode = scasPool.GetNext(itr);
      if (pNode->GetParent() == mcas) m_mapScas.emplace(Folded(pNode->GetName()), cur);
    }
    std::unordered_set<std::uint64_t> cases;
    for (const auto& entry : m_mapScas) cases.insert(entry.second);
    for (std::uint64_t itr = vcasPool.GetHeadPosition(); itr;) {
      const std::uint64_t cur = itr;
      const CPOHBase* pNode = vcasPool.GetNext(itr);
      if (cases.count(pNode->GetParent()))
        m_mapVcas[pNode->GetParent()].emplace(Folded(pNode->GetName()), cur);
    }
  }
  // The step named `vcas` of the sub-case named `scas`; 0 when either is missing.
  std::uint64_t Find(const CString& scas, const CString& vcas) const {
    const auto itScas = m_mapScas.find(Folded(scas));
    if (itScas == m_mapScas.end()) return 0;
    const auto itSteps = m_mapVcas.find(itScas->second);
    if (itSteps == m_mapVcas.end()) return 0;
    const auto itVcas = itSteps->second.find(Folded(vcas));
    return itVcas == itSteps->second.end() ? 0 : itVcas->second;
  }

private:
  using TByName = std::unordered_map<std::wstring, std::uint64_t>;
  TByName m_mapScas;
  std::unordered_map<std::uint64_t, TByName> m_mapVcas;  // by parent sub-case
};

// What the creation of one virtual result depends on: a second creation with the same
// arguments gives the same answer, so each is tried once per step.
struct TVResultTry {
  std::int32_t nResultID, nCompID, nLocType, nCategory;
  // clang-tidy 14 takes the 0 of the synthesised comparison for a null pointer.
  auto operator<=>(const TVResultTry&) const = default;  // NOLINT(modernize-use-nullptr)
};

}  // namespace

void IPZARFileImportHelper::GetRecordFile() {
  auto* pFile = dynamic_cast<CPZARFileEx*>(m_info.pFile);
  if (!pFile || !pFile->IsValidEx()) return;
  // Reactions are not in the component table; the catalogue files them with component 481.
  const TVResCatalogueRow* pRow = FindVResultCatalogueRow(481);
  const std::int32_t category = pRow ? pRow->nCategory : 0;
  const CStepsByName steps(Pool(pvk::POH_LEVEL_SCAS), Pool(pvk::POH_LEVEL_VCAS), m_nMcas);
  const CPZARRecordReaction_None* pPrevious = nullptr;
  CPOHVcas* pStep = nullptr;
  for (const auto& pOwned : pFile->GetRecordEx()) {
    auto* pRecord = dynamic_cast<CPZARRecordReaction_None*>(pOwned.get());
    if (!pRecord) continue;
    // The eight records of a table name the same step.
    if (!pPrevious || pRecord->GetSubCase() != pPrevious->GetSubCase() ||
        pRecord->GetVCase() != pPrevious->GetVCase())
      pStep = Vcas(steps.Find(pRecord->GetSubCase(), pRecord->GetVCase()));
    pPrevious = pRecord;
    if (!pStep) continue;
    CPostDSetContainer* pContainer = pStep->GetDSetContainer();
    zar::MList<CPostDSet*> sets;
    pContainer->GetDSetListBylResCatType(pvk::POST_DSET_UNIT_MODEL_RESULT, category, sets);
    CPostDSet* pSet = nullptr;
    for (CPostDSet* pCandidate : sets)
      if (pCandidate->GetLOCType() == pvk::LOC_POINT) pSet = pCandidate;
    if (!pSet) pSet = pContainer->AddUnitResultDSet(pvk::LOC_POINT, category);
    pSet->AddDComp(pRecord->GetHeader().id)->SetDataLoader(pRecord);
  }
}

void IPZARFileImportHelper::MakeVResult(std::uint64_t mcasItr) {
  CPOHPoolBase& scasPool = Pool(pvk::POH_LEVEL_SCAS);
  CPOHPoolBase& vcasPool = Pool(pvk::POH_LEVEL_VCAS);
  zar::MArray<std::uint64_t> cases;
  scasPool.GetListByParent(mcasItr, cases);
  const std::set<std::uint64_t> ownCases(cases.begin(), cases.end());
  // One pass over the step pool: asking each sub-case for its steps would walk it per case.
  zar::MArray<std::uint64_t> empty;
  for (std::uint64_t itr = vcasPool.GetHeadPosition(); itr;) {
    const std::uint64_t cur = itr;
    auto* pStep = static_cast<CPOHVcas*>(vcasPool.GetNext(itr));
    if (ownCases.count(pStep->GetParent()) && MakeVResult(cur, *pStep) == 0) empty.push_back(cur);
  }
  for (const std::uint64_t itr : empty) vcasPool.Remove(itr);
}

std::int32_t IPZARFileImportHelper::MakeVResult(std::uint64_t vcasItr, CPOHVcas& step) {
  CCompTypeVResMap* pMap = CCompTypeVResMapManager::GetInstance().GetCompTypeVResMap(m_nFileType);
  CVResultFactory* pFactory = CVResultFactoryManager::GetInstance().GetVResultFactory(m_nFileType);
  CVResultPackage* pPackage = step.GetPackage();
  const CPostDSetContainer& container = *step.GetDSetContainer();
  if (!pMap || !pFactory) return pPackage->GetCount();
  // The sets of each category, gathered once: every result of the category binds them all.
  std::map<std::int32_t, zar::MList<CPostDSet*>> categorySets;
  std::set<TVResultTry> tried;
  for (const auto& pOwnedSet : container.GetDSetList()) {
    const CPostDSet* pSet = pOwnedSet.get();
    const std::int32_t category = pSet->GetResCatType();
    auto itSets = categorySets.find(category);
    if (itSets == categorySets.end())
      itSets = categorySets.emplace(category, SetsOfCategory(container, category)).first;
    const pvk::LOC_TYPE loc = pSet->GetLOCType();
    for (const auto& pComp : pSet->GetDCompList()) {
      const std::int32_t comp = pComp->GetCompType();
      const bool bPCB = pvk::IsPCBId(comp);
      const auto [first, last] = pMap->EqualRange(bPCB ? PZAR_PCB::GetComponentResID(comp) : comp);
      for (auto it = first; it != last; ++it) {
        const std::int32_t compID =
            bPCB ? PZAR_PCB::GetComponentPCBResID(comp, it->second) : it->second;
        if (!tried.insert({it->second, compID, loc, category}).second) continue;
        std::unique_ptr<CVResult> pResult = pFactory->CreateVResult(it->second);
        if (!pResult) continue;
        pResult->SetLocType(loc);
        pResult->SetCompID(compID);
        // The package keeps the first result of an id and location type and refuses others;
        // the id is the one the result is filed under, a board result's own.
        if (pPackage->Exist(loc, pResult->GetType())) continue;
        pResult->SetPOHSession(m_info.pSession);
        pResult->SetParent(vcasItr);
        if (pResult->Init(itSets->second)) pPackage->Insert(pResult);
      }
    }
  }
  return pPackage->GetCount();
}
