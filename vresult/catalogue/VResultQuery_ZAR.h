#pragma once
// Display name, legend title, legend labels, unit code and result category of a result id.
// Phase-angle ids (base id + 1,000,000,000) answer through their base id with the phase-angle
// text appended; printed-circuit-board ids answer as the component result they stand for.
#include <cstdint>

#include "base/CString.h"
#include "qve_pvk_export.h"

class PVK_API CVResultQuery_ZAR {
public:
  static CString _GetVResultName(std::int32_t id);
  static CString _GetVResultLegendName(std::int32_t id);
  static void _GetVResultNameForLegend(std::int32_t id, CString& quantity, CString& component);
  static std::int32_t _GetVResultUnit(std::int32_t id);
  static std::int32_t _GetResCatType(std::int32_t id);

private:
  // The id to look up; sets `suffix` (when given) to the phase-angle text for phase-angle ids.
  static std::int32_t ChangeResultType(std::int32_t id, CString* suffix);
};
