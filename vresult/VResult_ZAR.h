#pragma once
// Intermediate base of the concrete virtual results: name, legend texts, unit and category
// come from the result catalogue by GetType().
#include <cstdint>

#include "qve_pvk_export.h"
#include "vresult/VResult.h"

class PVK_API CVResult_ZAR : public CVResult {
  DECLARE_DYNCREATE(CVResult_ZAR)

public:
  CVResult_ZAR() = default;
  ~CVResult_ZAR() override = default;

  CString GetName() const override;
  CString GetLegendName() const override;
  void GetNameForLegend(CString& quantity, CString& component) const override;
  std::int32_t GetUnit() const override;
  std::int32_t GetResCatType() const override;
};
