#pragma once
// What the element stress, strain and force templates share: the value of one component, or
// all of them, shown in the user's output coordinate system when one is asked for.
#include <cstdint>
#include <span>

#include "vresult/VResultTypes.h"

class CPostPartialD;
class CVResult;

namespace pvk::vrtmpl {

// Loads the block of an element tensor result whose binding holds the shown component in
// slot 0 and the nComp tensor components in slots 1 to nComp. With bAll the block gets the
// nComp components as columns, else column 0 holds the component of slot 0 (output index
// nIndex of the tensor). When the load context asks for an output coordinate system the
// components are converted first; a failed conversion is reported and the stored values are
// shown instead.
int LoadTensorResult(const CVResult& vr, CPostPartialD* pData, const TVRDSet* pVRDSet,
                     const TVResParam* pParam, std::int32_t nComp, std::int32_t nIndex, bool bAll,
                     int nStrain);

}  // namespace pvk::vrtmpl
