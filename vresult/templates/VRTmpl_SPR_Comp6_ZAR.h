#pragma once
// An SPR result of six groups of ten components.
#include <cstdint>

#include "vresult/templates/VRTmpl_SPR_Groups.h"

template <std::int32_t nG1, std::int32_t nG2, std::int32_t nG3, std::int32_t nG4, std::int32_t nG5,
          std::int32_t nG6>
using CVRTmpl_SPR_Comp6_ZAR =
    CVRTmpl_NodeGroup<TVRSPRGroups<pvk::AMT_SPR6, nG1, nG2, nG3, nG4, nG5, nG6>>;
