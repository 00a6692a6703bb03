#pragma once
// Safe access to the components of a binding: a component is used only while its data set
// still holds it, since a component removed from the set is already destroyed.
#include <cstdint>

#include "vresult/VResultTypes.h"

class CPostDComp;
class CPostUnitModelResultDComp;

// The component of slot i when the binding's data set still holds it, else null.
CPostDComp* GetLiveDComp(const TVRDSet& vrdSet, std::int32_t i);
// The same when it is a unit model result component.
const CPostUnitModelResultDComp* GetLiveModelResultDComp(const TVRDSet& vrdSet, std::int32_t i);
