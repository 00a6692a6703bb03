#pragma once
// A nodal fatigue set: the result's own component and the six fatigue stress components,
// seven columns. Loads only as a nodal fatigue set.
#include <array>
#include <cstdint>

#include "vresult/templates/VRTmplPhaseAngle.h"
#include "vresult/templates/VRTmpl_NodeGroup.h"

template <std::int32_t... nIds>
struct TVRFatigueGroup {
  static constexpr std::array<std::int32_t, sizeof...(nIds)> kIds{nIds...};
  static constexpr pvk::AMT_TYPE kAmt = pvk::AMT_NODAL_FATIGUE;
  static constexpr bool kMatchCategory = true;
  static constexpr bool Loads(pvk::AMT_TYPE amt) { return amt == pvk::AMT_NODAL_FATIGUE; }
};

// The phase-angle group: every id moves.
template <std::int32_t... nIds>
struct TVRPhaseAngle<TVRFatigueGroup<nIds...>> {
  using type = TVRFatigueGroup<pvk::vrtmpl::PhaseAngleId(nIds)...>;
};

template <std::int32_t nOwn, std::int32_t nC1, std::int32_t nC2, std::int32_t nC3, std::int32_t nC4,
          std::int32_t nC5, std::int32_t nC6>
using CVRTmpl_Fatigue_ZAR = CVRTmpl_NodeGroup<TVRFatigueGroup<nOwn, nC1, nC2, nC3, nC4, nC5, nC6>>;
