#include "vresult/VResultBinding.h"

#include "datastore/PostDSet.h"
#include "datastore/PostDSetModelResult.h"

CPostDComp* GetLiveDComp(const TVRDSet& vrdSet, std::int32_t i) {
  if (i < 0 || i >= TVRDSet::N_MAX_COMP) return nullptr;
  CPostDComp* pComp = vrdSet.pDComp[static_cast<std::size_t>(i)];
  if (!pComp || !vrdSet.pDSet) return nullptr;
  for (const auto& pHeld : vrdSet.pDSet->GetDCompList())
    if (pHeld.get() == pComp) return pComp;
  return nullptr;
}

const CPostUnitModelResultDComp* GetLiveModelResultDComp(const TVRDSet& vrdSet, std::int32_t i) {
  return dynamic_cast<const CPostUnitModelResultDComp*>(GetLiveDComp(vrdSet, i));
}
