#include "resultfile/PZARComp.h"

#include <algorithm>
#include <iterator>

#include "core/ResultId.h"
#include "resultfile/PZARCompTable.h"
#include "resultfile/PZARPCB.h"

namespace PZAR {

std::int32_t GetResultCatTypeFromPZARComp(const std::int32_t& comp) {
  if (pvk::IsPCBId(comp)) return PZAR_PCB::GetComponentResCatType(comp);
  const std::int32_t id = comp > pvk::kPhaseAngleOffset ? comp - pvk::kPhaseAngleOffset : comp;
  using detail::kCompCatRanges;
  // The ranges are sorted and disjoint: the candidate is the last range starting at or
  // before the id.
  const auto* it =
      std::upper_bound(std::begin(kCompCatRanges), std::end(kCompCatRanges), id,
                       [](std::int32_t v, const detail::TCompCatRange& r) { return v < r.first; });
  if (it == std::begin(kCompCatRanges)) return 0;
  --it;
  return id <= it->last ? it->catType : 0;
}

std::int32_t GetResultIDFromPZARComp(std::int32_t comp, std::int32_t resId) {
  if (comp == resId) return resId;
  if (pvk::IsPCBId(comp)) return PZAR_PCB::GetComponentPCBResID(comp, resId);
  return resId;
}

}  // namespace PZAR
