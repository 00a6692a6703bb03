#pragma once
// A reaction on geometry (surfaces, curves, points): columns own component, x, y, z over the
// rows of the reaction set, keyed by the reaction records' entity ids. Only the own
// component must be stored.
#include <cstdint>

#include "vresult/VResult_ZAR.h"
#include "vresult/templates/VRTmplCore.h"
#include "vresult/templates/VRTmplPhaseAngle.h"

template <std::int32_t nOwn, std::int32_t nC1, std::int32_t nC2, std::int32_t nC3>
class CVRTmpl_Reaction_ZAR : public pvk::vrtmpl::CVRTmplBinder<CVResult_ZAR> {
public:
  CVRTmpl_Reaction_ZAR() {
    SetAMTType(pvk::AMT_SCALAR);
    SetLocType(pvk::LOC_POINT);
  }

protected:
  int _Init(const zar::MList<CPostDSet*>& dsets) override {
    static constexpr std::int32_t kIds[] = {nOwn, nC1, nC2, nC3};
    return BindSets(dsets, kIds, {pvk::POST_DSET_UNIT_MODEL_RESULT, true, 0x1u});
  }
  int _LoadPartial(CPostPartialD* pData, TVRDSet* pVRDSet, TVResParam* pParam) override {
    return pvk::vrtmpl::LoadReaction(*this, pData, pVRDSet, pParam);
  }
};

// The phase-angle variant: every id moves.
template <std::int32_t nOwn, std::int32_t nC1, std::int32_t nC2, std::int32_t nC3>
struct TVRPhaseAngle<CVRTmpl_Reaction_ZAR<nOwn, nC1, nC2, nC3>> {
  using type = CVRTmpl_Reaction_ZAR<pvk::vrtmpl::PhaseAngleId(nOwn), pvk::vrtmpl::PhaseAngleId(nC1),
                                    pvk::vrtmpl::PhaseAngleId(nC2), pvk::vrtmpl::PhaseAngleId(nC3)>;
};
