#pragma once
// An element fatigue result (life cycles, damage): the stored component as it is, one column.
// The store files these components under another category than the catalogue, so categories
// are not matched.
#include <cstdint>

#include "vresult/VResult_ZAR.h"
#include "vresult/templates/VRTmplCore.h"

template <std::int32_t nComp>
class CVRTmpl_Fatigue : public pvk::vrtmpl::CVRTmplBinder<CVResult_ZAR> {
public:
  CVRTmpl_Fatigue() { SetAMTType(pvk::AMT_SCALAR); }

protected:
  int _Init(const zar::MList<CPostDSet*>& dsets) override {
    static constexpr std::int32_t kIds[] = {nComp};
    return BindSets(dsets, kIds, {pvk::POST_DSET_UNIT_MODEL_RESULT, false, 0x1u});
  }
  int _LoadPartial(CPostPartialD* pData, TVRDSet* pVRDSet, TVResParam* pParam) override {
    static constexpr std::int32_t kSlots[] = {0};
    return pvk::vrtmpl::LoadSlotColumns(*this, pData, pVRDSet, pParam, kSlots, 0x1u);
  }
};
