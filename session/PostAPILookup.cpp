// The facade instance, the defaults of its virtual operations and the lookups of results and
// entity counts.
#include "core/ModelDBLink.h"
#include "ibm/MeshPostUnit.h"
#include "session/POHPoolBase.h"
#include "session/POHScas.h"
#include "session/POHSession.h"
#include "session/POHVcas.h"
#include "session/PostAPI.h"
#include "vresult/VResult.h"

IPostAPI* IPostAPI::m_pInstance = nullptr;

namespace {

constexpr std::int32_t kDisplacementID = 101;

const CPOHVcas* StepAt(const IPOHSession* pSession, std::uint64_t vcasItr) {
  const CPOHPoolBase* pPool = pSession ? pSession->GetPOHPool(pvk::POH_LEVEL_VCAS) : nullptr;
  if (!vcasItr || !pPool || !pPool->IsLiveItr(vcasItr)) return nullptr;
  return dynamic_cast<const CPOHVcas*>(pPool->GetAt(vcasItr));
}

// Null when the step or its package has no such result.
CVResult* FindInStep(const CPOHVcas* pStep, std::int32_t locType, std::int32_t id) {
  const CVResultPackage* pPackage = pStep ? pStep->GetPackage() : nullptr;
  return pPackage ? pPackage->Find(locType, id) : nullptr;
}

// The live sub-case of the step, or null.
const CPOHScas* SubCaseOf(const IPOHSession* pSession, const CPOHVcas& step) {
  const CPOHPoolBase* pScasPool = pSession->GetPOHPool(pvk::POH_LEVEL_SCAS);
  const std::uint64_t scasItr = step.GetParent();
  if (!scasItr || !pScasPool || !pScasPool->IsLiveItr(scasItr)) return nullptr;
  return dynamic_cast<const CPOHScas*>(pScasPool->GetAt(scasItr));
}

std::int32_t CountOf(const IPreDBTable* pTable) { return pTable ? pTable->GetCount() : 0; }

struct TCatTitle {
  std::int32_t nResCatType;
  const wchar_t* szTitle;
};
// The categories of the node and grid results that legends are mostly drawn for.
constexpr TCatTitle kCatTitles[] = {
    {1, L"DISPLACEMENT"},       {2, L"VELOCITY"},        {60, L"THERMAL"},  {101, L"STRAIN"},
    {102, L"STRESS"},           {103, L"THERMAL"},       {104, L"DENSITY"}, {105, L"FATIGUE"},
    {107, L"NONLINEAR STRESS"}, {108, L"CONTACT FORCE"},
};

}  // namespace

CString IPostAPI::GetResCatTitle(std::int32_t nResCatType) const {
  for (const TCatTitle& row : kCatTitles)
    if (row.nResCatType == nResCatType) return row.szTitle;
  return L"RESULT";
}

IPostAPI::~IPostAPI() {
  if (m_pInstance == this) m_pInstance = nullptr;
}

double IPostAPI::GetDiagramFactorByIBM(CYRViewBase*, CAnimInfo*, const double&) { return 1.0; }

double IPostAPI::GetDeformScaleByIBM(CYRViewBase*, TPViewQVEResOptInfo*, double* const,
                                     pvk::TDataRange&, double) {
  return 1.0;
}

CVResult* IPostAPI::GetDeformResult(CVResult* pResult) {
  if (!pResult) return nullptr;
  const CPOHVcas* pStep = StepAt(pResult->GetPOHSession(), pResult->GetPOHVcas());
  return FindInStep(pStep, pResult->GetLocType(), kDisplacementID);
}

void IPostAPI::MakeQVEUnitModelResOptOnProduct(CVResult*, TPViewQVEResOptInfo*, CQVEDocBase*) {}

int IPostAPI::IsZeroToNoRes(CVResult*) { return 0; }

std::int32_t IPostAPI::GetGlobalDSICount(pvk::LOC_TYPE locType, const IPreDBLinker* pLinker) {
  if (!pLinker) return 0;
  switch (locType) {
    case pvk::LOC_ELEM:
    case pvk::LOC_ELEM_CORNER:
    case pvk::LOC_ELEM_NODE:
      return CountOf(pLinker->GetElementTable());
    case pvk::LOC_NODE:
      return CountOf(pLinker->GetNodeTable());
    default:
      return 0;
  }
}

std::int32_t IPostAPI::GetGlobalDSICount(pvk::LOC_TYPE locType, const CMPUPost* pMPU) {
  if (!pMPU) return 0;
  switch (locType) {
    case pvk::LOC_FACET:
      return pMPU->GetFacet().GetFacetSize();
    case pvk::LOC_NODE:
    case pvk::LOC_IBM_VOLUME_NODE:
      return pMPU->GetBody().GetNodeSize();
    default:
      return 0;
  }
}

int IPostAPI::FindMultiSetVResults(IPOHSession* pSession, CVResult* pResult,
                                   zar::MArray<CVResult*>& out, std::int32_t& index) {
  out.clear();
  index = 0;
  if (!pResult) return 0;
  const IPOHSession* pOwner = pSession ? pSession : pResult->GetPOHSession();
  const CPOHVcas* pStep = StepAt(pOwner, pResult->GetPOHVcas());
  const CPOHScas* pSubCase = pStep ? SubCaseOf(pOwner, *pStep) : nullptr;
  // The sub-case's own flag says whether its states are steps.
  if (!pSubCase || !pSubCase->HasStep()) return 0;
  zar::MArray<std::uint64_t> steps;
  pOwner->GetPOHPool(pvk::POH_LEVEL_VCAS)->GetListByParent(pStep->GetParent(), steps);
  for (const std::uint64_t vcasItr : steps) {
    CVResult* pFound =
        FindInStep(StepAt(pOwner, vcasItr), pResult->GetLocType(), pResult->GetType());
    if (!pFound) continue;
    if (pFound == pResult) index = static_cast<std::int32_t>(out.size());
    out.push_back(pFound);
  }
  return 1;
}
