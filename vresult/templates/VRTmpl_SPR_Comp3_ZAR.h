#pragma once
// An SPR result of three groups of ten components.
#include <cstdint>

#include "vresult/templates/VRTmpl_SPR_Groups.h"

template <std::int32_t nG1, std::int32_t nG2, std::int32_t nG3>
using CVRTmpl_SPR_Comp3_ZAR = CVRTmpl_NodeGroup<TVRSPRGroups<pvk::AMT_SPR3, nG1, nG2, nG3>>;
