#pragma once
// An element fatigue result (life cycles, damage): the stored component as it is, one column,
// exactly as a scalar shown directly.
#include <cstdint>

#include "vresult/templates/VRTmpl_ScalarDirect.h"

template <std::int32_t nComp>
using CVRTmpl_Fatigue = CVRTmpl_ScalarDirect<nComp>;
