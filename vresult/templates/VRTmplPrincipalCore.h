#pragma once
// What the principal-value templates share.
#include <cstdint>
#include <span>
#include <vector>

#include "base/Containers.h"
#include "vresult/VResultTypes.h"

class CPostDSet;
class CPostPartialD;
class CVResult;

namespace pvk::vrtmpl {

// The bindings of a chain of ids (a binding keeps its components only up to the first
// missing one). bComplete: every binding holds the whole chain. When complete, slot 0 takes
// the component of nOwnID where the set has one.
std::vector<TVRDSet> BindChain(const CVResult& vr, const zar::MList<CPostDSet*>& dsets,
                               std::span<const std::int32_t> aIds, bool bMatchCategory,
                               std::int32_t nOwnID, bool& bComplete);

// The eight columns of an in-plane principal result from the stored XX, YY, XY components
// (slots 2 to 4): the result's own value and unit direction, then the other value and its
// direction. The directions lie in the element's plane (its output system's first two axes),
// the major one at the principal angle from the element's x axis, the minor one 90 degrees
// further back. Rows of elements the model lacks stay zero. bMinor: the result is the minor
// value. nStrain: the stored XY is an engineering shear.
int LoadPrincipal2D(const CVResult& vr, CPostPartialD* pData, const TVRDSet* pVRDSet,
                    const TVResParam* pParam, bool bMinor, int nStrain);

}  // namespace pvk::vrtmpl
