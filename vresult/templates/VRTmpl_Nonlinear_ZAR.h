#pragma once
// A nodal nonlinear set: eight columns. Loads only as a nonlinear set. The store files the
// back stresses under another category than the equivalent stress, so categories are not
// matched.
#include <array>
#include <cstdint>

#include "vresult/templates/VRTmplPhaseAngle.h"
#include "vresult/templates/VRTmpl_NodeGroup.h"

template <std::int32_t... nIds>
struct TVRNonlinearGroup {
  static constexpr std::array<std::int32_t, sizeof...(nIds)> kIds{nIds...};
  static constexpr pvk::AMT_TYPE kAmt = pvk::AMT_NONLINEAR;
  static constexpr bool kMatchCategory = false;
  static constexpr bool Loads(pvk::AMT_TYPE amt) { return amt == pvk::AMT_NONLINEAR; }
};

// The phase-angle group: every id moves.
template <std::int32_t... nIds>
struct TVRPhaseAngle<TVRNonlinearGroup<nIds...>> {
  using type = TVRNonlinearGroup<pvk::vrtmpl::PhaseAngleId(nIds)...>;
};

template <std::int32_t nC1, std::int32_t nC2, std::int32_t nC3, std::int32_t nC4, std::int32_t nC5,
          std::int32_t nC6, std::int32_t nC7, std::int32_t nC8>
using CVRTmpl_Nonlinear_ZAR =
    CVRTmpl_NodeGroup<TVRNonlinearGroup<nC1, nC2, nC3, nC4, nC5, nC6, nC7, nC8>>;
