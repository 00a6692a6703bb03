// The end of the import: the reaction records of the solver's text output, and the virtual
// results of every step made from its data sets.
#include <set>

#include "datastore/PostDSetContainer.h"
#include "datastore/PostDSetModelResult.h"
#include "resultfile/PZARFileEx.h"
#include "resultfile/PZARFileImportHelper.h"
#include "resultfile/PZARPCB.h"
#include "session/POHPoolBase.h"
#include "session/POHVcas.h"
#include "vresult/CompTypeVResMap.h"
#include "vresult/CompTypeVResMapManager.h"
#include "vresult/VResult.h"
#include "vresult/VResultFactory.h"
#include "vresult/VResultFactoryManager.h"
#include "vresult/VResultPackage.h"
#include "vresult/catalogue/VResultCatalogue.h"

namespace {

bool IsPCBComp(std::int32_t comp) { return comp / 10000000 == 5; }

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

// The first child of `parent` in the pool whose name equals `name` ignoring case.
std::uint64_t FindChildNoCase(const CPOHPoolBase& pool, std::uint64_t parent, const CString& name) {
  for (std::uint64_t itr = pool.GetHeadPosition(); itr;) {
    const std::uint64_t cur = itr;
    const CPOHBase* pNode = pool.GetNext(itr);
    if (pNode->GetParent() == parent && pNode->GetName().CompareNoCase(name) == 0) return cur;
  }
  return 0;
}

}  // namespace

void IPZARFileImportHelper::GetRecordFile() {
  auto* pFile = dynamic_cast<CPZARFileEx*>(m_info.pFile);
  if (!pFile || !pFile->IsValidEx()) return;
  // Reactions are not in the component table; the catalogue files them with component 481.
  const TVResCatalogueRow* pRow = FindVResultCatalogueRow(481);
  const std::int32_t category = pRow ? pRow->nCategory : 0;
  for (const auto& pOwned : pFile->GetRecordEx()) {
    auto* pRecord = dynamic_cast<CPZARRecordReaction_None*>(pOwned.get());
    const std::uint64_t scas =
        pRecord ? FindChildNoCase(Pool(1), m_nMcas, pRecord->GetSubCase()) : 0;
    CPOHVcas* pStep = scas ? Vcas(FindChildNoCase(Pool(2), scas, pRecord->GetVCase())) : nullptr;
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
  CPOHPoolBase& scasPool = Pool(1);
  CPOHPoolBase& vcasPool = Pool(2);
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
  for (const auto& pOwnedSet : container.GetDSetList()) {
    const CPostDSet* pSet = pOwnedSet.get();
    const zar::MList<CPostDSet*> sets = SetsOfCategory(container, pSet->GetResCatType());
    for (const auto& pComp : pSet->GetDCompList()) {
      const std::int32_t comp = pComp->GetCompType();
      const bool bPCB = IsPCBComp(comp);
      const auto [first, last] = pMap->EqualRange(bPCB ? PZAR_PCB::GetComponentResID(comp) : comp);
      for (auto it = first; it != last; ++it) {
        // The package keeps the first result of an id and location type and refuses others.
        if (pPackage->Exist(pSet->GetLOCType(), it->second)) continue;
        std::unique_ptr<CVResult> pResult = pFactory->CreateVResult(it->second);
        if (!pResult) continue;
        pResult->SetLocType(pSet->GetLOCType());
        pResult->SetCompID(bPCB ? PZAR_PCB::GetComponentPCBResID(comp, it->second) : it->second);
        pResult->SetPOHSession(m_info.pSession);
        pResult->SetParent(vcasItr);
        if (pResult->Init(sets)) pPackage->Insert(pResult);
      }
    }
  }
  return pPackage->GetCount();
}
