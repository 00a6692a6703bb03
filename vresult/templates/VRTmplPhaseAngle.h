#pragma once
// How a result template instance turns into its phase-angle variant. Each template header
// that has phase-angle variants specialises TVRPhaseAngle for its instances; the variant reads
// the components stored under the moved ids and keeps directions, axes and base classes.
#include <cstdint>

#include "core/ResultId.h"
#include "vresult/templates/VRTmplCore.h"

namespace pvk::vrtmpl {

// The phase-angle id of a result or component id.
constexpr std::int32_t PhaseAngleId(std::int32_t id) { return id + kPhaseAngleOffset; }
// The same, where an absent component (0) stays absent.
constexpr std::int32_t PhaseAngleIdIfAny(std::int32_t id) { return id == 0 ? 0 : PhaseAngleId(id); }

}  // namespace pvk::vrtmpl

// `type` is the phase-angle variant of the template instance T.
template <class T>
struct TVRPhaseAngle;

template <class T>
using TVRPhaseAngleOf = typename TVRPhaseAngle<T>::type;
