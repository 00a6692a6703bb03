#pragma once
// Stress intensity: twice the stored maximum shear stress, one column.
#include <cstdint>

#include "datastore/PostPartialD.h"
#include "vresult/VResult_ZAR.h"
#include "vresult/templates/VRTmplCore.h"
#include "vresult/templates/VRTmplPhaseAngle.h"

template <std::int32_t nMaxShear>
class CVRTmpl_MaxIntensity : public pvk::vrtmpl::CVRTmplBinder<CVResult_ZAR> {
public:
  CVRTmpl_MaxIntensity() { SetAMTType(pvk::AMT_SCALAR); }

protected:
  int _Init(const zar::MList<CPostDSet*>& dsets) override {
    static constexpr std::int32_t kIds[] = {nMaxShear};
    return BindSets(dsets, kIds, {pvk::POST_DSET_UNIT_MODEL_RESULT, true, 0x1u});
  }
  int _LoadPartial(CPostPartialD* pData, TVRDSet* pVRDSet, TVResParam* pParam) override {
    static constexpr std::int32_t kSlots[] = {0};
    if (!pvk::vrtmpl::LoadSlotColumns(*this, pData, pVRDSet, pParam, kSlots, 0x1u)) return 0;
    for (double& value : *pData->GetComp(0)) value *= 2.0;
    return 1;
  }
};

// The phase-angle variant reads the phase-angle component.
template <std::int32_t nMaxShear>
struct TVRPhaseAngle<CVRTmpl_MaxIntensity<nMaxShear>> {
  using type = CVRTmpl_MaxIntensity<pvk::vrtmpl::PhaseAngleId(nMaxShear)>;
};
