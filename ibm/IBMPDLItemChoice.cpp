// Which results take part in an item's picture, and the data class of each role.

#include "core/ResultId.h"
#include "ibm/IBMGlobalElem.h"
#include "ibm/IBMGlobalElemVolume.h"
#include "ibm/IBMGlobalFacet.h"
#include "ibm/IBMGlobalNone.h"
#include "ibm/IBMGlobalVect.h"
#include "ibm/IBMPDLItem.h"
#include "ibm/IBMPDLResultCase.h"
#include "session/POHScas.h"
#include "vresult/VResult.h"
#include "vresult/VResultPackage.h"

namespace {

using pvk::kPhaseAngleOffset;

enum class EGlobalClass { None, Facet, Vect, Elem, ElemVolume };
enum class ECreator { Result, Cap, Fatigue };

// The data class per location type and creator; other location types have none.
struct TGlobalClassRow {
  pvk::LOC_TYPE nLoc;
  EGlobalClass result, cap, fatigue;
};
constexpr TGlobalClassRow kGlobalClass[] = {
    {pvk::LOC_FACET, EGlobalClass::Facet, EGlobalClass::Facet, EGlobalClass::Facet},
    {pvk::LOC_POINT, EGlobalClass::Vect, EGlobalClass::Vect, EGlobalClass::Vect},
    {pvk::LOC_NODE, EGlobalClass::Elem, EGlobalClass::ElemVolume, EGlobalClass::ElemVolume},
    {pvk::LOC_IBM_VOLUME_NODE, EGlobalClass::ElemVolume, EGlobalClass::ElemVolume,
     EGlobalClass::None},
};

// The nonlinear partner of the results first to last; some only in a nonlinear analysis.
struct TNonlinearRow {
  std::int32_t nFirst, nLast, nPartner;
  bool bNonlinearOnly;
};
constexpr TNonlinearRow kNonlinearPartner[] = {
    {7701, 7701, 7207, false},    {7207, 7207, 7701, true},    {60300, 60300, 60266, false},
    {60311, 60311, 60266, false}, {60266, 60268, 60300, true}, {60279, 60279, 60300, true},
};
constexpr std::int32_t kNonlinearAnalysis = 123;

// The density of a topology optimisation shows on the cells, not at the nodes.
constexpr std::int32_t kDensityID = 7401;

EGlobalClass ChooseClass(const CVResult* pResult, ECreator creator) {
  if (!pResult) return EGlobalClass::None;
  for (const TGlobalClassRow& row : kGlobalClass) {
    if (row.nLoc != pResult->GetLocType()) continue;
    return creator == ECreator::Result ? row.result
           : creator == ECreator::Cap  ? row.cap
                                       : row.fatigue;
  }
  return EGlobalClass::None;
}

std::unique_ptr<CIBMGlobalD> MakeGlobalD(const CVResult* pResult, ECreator creator) {
  switch (ChooseClass(pResult, creator)) {
    case EGlobalClass::Facet:
      return std::make_unique<CIBMGlobalFacet>();
    case EGlobalClass::Vect:
      return std::make_unique<CIBMGlobalVect>();
    case EGlobalClass::Elem:
      return std::make_unique<CIBMGlobalElem>();
    case EGlobalClass::ElemVolume:
      return std::make_unique<CIBMGlobalElemVolume>();
    case EGlobalClass::None:
      break;
  }
  return std::make_unique<CIBMGlobalNone>();
}

CVResult* FindNonlinearPartner(const CVResult& main, const CVResultPackage& package) {
  const CPOHScas* pSubCase = pvk::ibm::FindResultSubCase(main);
  const bool bNonlinear = pSubCase && pSubCase->GetMecAnalType() == kNonlinearAnalysis;
  const std::int32_t id = main.GetType();
  for (const TNonlinearRow& row : kNonlinearPartner)
    if (id >= row.nFirst && id <= row.nLast && (bNonlinear || !row.bNonlinearOnly))
      return package.Find(main.GetLocType(), row.nPartner);
  return nullptr;
}

}  // namespace

void CIBMPDLItem::SetVResultMain(CVResult* pResult) {
  if (pResult && pResult->GetType() == kDensityID && pResult->GetLocType() == pvk::LOC_NODE)
    pResult->SetLocType(pvk::LOC_IBM_VOLUME_NODE);
  const CVResultPackage* pPackage = pResult ? pvk::ibm::FindResultPackage(*pResult) : nullptr;
  const bool bPhase = pResult && pResult->GetType() > kPhaseAngleOffset;

  CVResult* pMain = pResult;
  CVResult* pImag = nullptr;
  if (pPackage) {
    const std::int32_t loc = pResult->GetLocType();
    const std::int32_t id = pResult->GetType();
    pMain = bPhase ? pPackage->Find(loc, id - kPhaseAngleOffset) : pResult;
    pImag = bPhase ? pResult : pPackage->Find(loc, id + kPhaseAngleOffset);
  }
  CVResult* pNonl = pMain && pPackage ? FindNonlinearPartner(*pMain, *pPackage) : nullptr;

  SetRole(ROLE_MAIN, pMain, MakeGlobalD(pMain, ECreator::Result));
  SetRole(ROLE_CAP, pMain, MakeGlobalD(pMain, ECreator::Cap));
  SetRole(ROLE_IMAG, pImag, MakeGlobalD(pImag, ECreator::Result));
  SetRole(ROLE_CAP_IMAG, pImag, MakeGlobalD(pImag, ECreator::Cap));
  SetRole(ROLE_NONL, pNonl, MakeGlobalD(pNonl, ECreator::Result));
  SetGlobalState(pResult);
}

void CIBMPDLItem::SetVResultDeform(CVResult* pResult) {
  SetRole(ROLE_DEFORM, pResult, MakeGlobalD(pResult, ECreator::Result));
}

void CIBMPDLItem::SetVResultFatigue(CVResult* pResult) {
  SetRole(ROLE_FATIGUE, pResult, MakeGlobalD(pResult, ECreator::Fatigue));
}
