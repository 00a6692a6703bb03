#pragma once
// A stored component shown as it is: one column.
#include <cstdint>

#include "vresult/VResult_ZAR.h"
#include "vresult/templates/VRTmplCore.h"
#include "vresult/templates/VRTmplPhaseAngle.h"

template <std::int32_t nComp>
class CVRTmpl_ScalarDirect : public pvk::vrtmpl::CVRTmplBinder<CVResult_ZAR> {
public:
  CVRTmpl_ScalarDirect() { SetAMTType(pvk::AMT_SCALAR); }

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

// The phase-angle variant reads the phase-angle component.
template <std::int32_t nComp>
struct TVRPhaseAngle<CVRTmpl_ScalarDirect<nComp>> {
  using type = CVRTmpl_ScalarDirect<pvk::vrtmpl::PhaseAngleId(nComp)>;
};
