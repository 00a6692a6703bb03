#include "vresult/VResult_ZAR.h"

#include "vresult/catalogue/VResultQuery_ZAR.h"

IMPLEMENT_DYNCREATE(CVResult_ZAR, CVResult)

CString CVResult_ZAR::GetName() const { return CVResultQuery_ZAR::_GetVResultName(GetType()); }

CString CVResult_ZAR::GetLegendName() const {
  return CVResultQuery_ZAR::_GetVResultLegendName(GetType());
}

void CVResult_ZAR::GetNameForLegend(CString& quantity, CString& component) const {
  CVResultQuery_ZAR::_GetVResultNameForLegend(GetType(), quantity, component);
}

std::int32_t CVResult_ZAR::GetUnit() const { return CVResultQuery_ZAR::_GetVResultUnit(GetType()); }

std::int32_t CVResult_ZAR::GetResCatType() const {
  return CVResultQuery_ZAR::_GetResCatType(GetType());
}
