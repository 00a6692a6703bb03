#pragma once
// The six components of a nodal tensor for its equivalent values (von Mises, principal A, B,
// C): six columns, which the display combines. Loads as a tensor or, once set so, a scalar.
#include <array>
#include <cstdint>

#include "vresult/templates/VRTmplPhaseAngle.h"
#include "vresult/templates/VRTmpl_NodeGroup.h"

template <std::int32_t... nIds>
struct TVRTensorGroup {
  static constexpr std::array<std::int32_t, sizeof...(nIds)> kIds{nIds...};
  static constexpr pvk::AMT_TYPE kAmt = pvk::AMT_TENSOR;
  static constexpr bool kMatchCategory = true;
  static constexpr bool Loads(pvk::AMT_TYPE amt) {
    return amt == pvk::AMT_TENSOR || amt == pvk::AMT_SCALAR;
  }
};

// The phase-angle group: every id moves.
template <std::int32_t... nIds>
struct TVRPhaseAngle<TVRTensorGroup<nIds...>> {
  using type = TVRTensorGroup<pvk::vrtmpl::PhaseAngleId(nIds)...>;
};

template <std::int32_t nC1, std::int32_t nC2, std::int32_t nC3, std::int32_t nC4, std::int32_t nC5,
          std::int32_t nC6>
using CVRTmpl_Tensor_ZAR = CVRTmpl_NodeGroup<TVRTensorGroup<nC1, nC2, nC3, nC4, nC5, nC6>>;
