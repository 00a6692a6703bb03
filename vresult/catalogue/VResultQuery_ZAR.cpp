#include "vresult/catalogue/VResultQuery_ZAR.h"

#include "base/MessageTable.h"
#include "core/PCBCode.h"
#include "core/ResultId.h"
#include "vresult/catalogue/VResultCatalogue.h"
#include "vresult/catalogue/VResultMessages.h"

namespace {

constexpr std::int32_t kPhaseAngleUnit = 4;
constexpr const wchar_t* kUnknownName = L"UnKnownType";
constexpr const wchar_t* kNoLabel = L"NONE";

CString MessageText(const wchar_t* key) {
  RegisterVResultTexts();
  return zar::lib::MMSGFunction::GetValue(key);
}

}  // namespace

std::int32_t CVResultQuery_ZAR::ChangeResultType(std::int32_t id, CString* suffix) {
  if (id > pvk::kPhaseAngleOffset) {
    if (suffix) *suffix = MessageText(L"IDS_LEGEND_PHASE_ANGLE");
    return id - pvk::kPhaseAngleOffset;
  }
  if (pvk::IsPCBId(id)) return PZAR_PCB::GetComponentResID(id);
  return id;
}

CString CVResultQuery_ZAR::_GetVResultName(std::int32_t id) {
  CString suffix;
  const TVResCatalogueRow* row = FindVResultCatalogueRow(ChangeResultType(id, &suffix));
  return row ? MessageText(row->pszNameKey) + suffix : CString(kUnknownName);
}

CString CVResultQuery_ZAR::_GetVResultLegendName(std::int32_t id) {
  CString suffix;
  const TVResCatalogueRow* row = FindVResultCatalogueRow(ChangeResultType(id, &suffix));
  return row ? MessageText(row->pszLegendKey) + suffix : CString(kUnknownName);
}

void CVResultQuery_ZAR::_GetVResultNameForLegend(std::int32_t id, CString& quantity,
                                                 CString& component) {
  quantity = kNoLabel;
  component = kNoLabel;
  CString suffix;
  if (const TVResCatalogueRow* row = FindVResultCatalogueRow(ChangeResultType(id, &suffix))) {
    quantity = row->pszQuantity;
    component = row->pszComponent;
  }
  quantity += suffix;
}

std::int32_t CVResultQuery_ZAR::_GetVResultUnit(std::int32_t id) {
  // Decided by the id, not by comparing texts: an empty phase-angle text must not turn every
  // base id into an angle.
  if (id > pvk::kPhaseAngleOffset) return kPhaseAngleUnit;
  const TVResCatalogueRow* row = FindVResultCatalogueRow(ChangeResultType(id, nullptr));
  return row ? row->nUnit : 0;
}

std::int32_t CVResultQuery_ZAR::_GetResCatType(std::int32_t id) {
  const TVResCatalogueRow* row = FindVResultCatalogueRow(ChangeResultType(id, nullptr));
  return row ? row->nCategory : 0;
}
