#pragma once
// An SPR result of one group of ten components.
#include <cstdint>

#include "vresult/templates/VRTmpl_SPR_Groups.h"

template <std::int32_t nG1>
using CVRTmpl_SPR_Comp_ZAR = CVRTmpl_NodeGroup<TVRSPRGroups<pvk::AMT_SPR1, nG1>>;
