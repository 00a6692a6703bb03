#pragma once
// The conversion of a result's loaded vectors and tensors into the user's output coordinate
// system: the data set's element systems and the model's shells feed the group conversion.
#include "csys/OutputCSysTypes.h"

class CPostPartialD;
class CVResult;
struct TVRDSet;
struct TVResParam;

namespace pvk::vrtmpl {

// Converts the columns of a loaded result (3, 6 or 8 of them) in place: element values from
// their element systems, through global axes, into the output system. 1 when every group
// was converted; 0 for a complex result, a kind other than 1 to 5, or unusable data.
int ConvertPartialD(const TOutCSysInfo* pInfo, const CVResult* pResult, CPostPartialD* pData,
                    const TVRDSet* pVRDSet, const TVResParam* pParam, int nStrain);

}  // namespace pvk::vrtmpl
