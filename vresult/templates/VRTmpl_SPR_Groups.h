#pragma once
// The SPR results: ten consecutive component ids per group, one column each, in group order.
// Created for a board result, the ids go through the board mapping of the binding.
#include <array>
#include <cstdint>

#include "vresult/templates/VRTmplPhaseAngle.h"
#include "vresult/templates/VRTmpl_NodeGroup.h"

template <pvk::AMT_TYPE nAmt, std::int32_t... nFirst>
struct TVRSPRGroups {
  static constexpr auto kIds = pvk::vrtmpl::SPRGroupIds<nFirst...>();
  static constexpr pvk::AMT_TYPE kAmt = nAmt;
  static constexpr bool kMatchCategory = false;
  static constexpr bool Loads(pvk::AMT_TYPE /*amt*/) { return true; }
};

// The phase-angle groups start at the phase-angle ids of their first components.
template <pvk::AMT_TYPE nAmt, std::int32_t... nFirst>
struct TVRPhaseAngle<TVRSPRGroups<nAmt, nFirst...>> {
  using type = TVRSPRGroups<nAmt, pvk::vrtmpl::PhaseAngleId(nFirst)...>;
};
