#pragma once
// One component of a two-component vector (the third id is 0): columns value, x, y, z with
// the other axis and z zero. The binding needs the first component only; a missing second one
// shows as zero.
#include <cstdint>

#include "vresult/VResult_ZAR.h"
#include "vresult/templates/VRTmplCore.h"
#include "vresult/templates/VRTmplPhaseAngle.h"

template <std::int32_t nDir, std::int32_t nC1, std::int32_t nC2, std::int32_t nC3>
class CVRTmpl_VectorComp : public pvk::vrtmpl::CVRTmplBinder<CVResult_ZAR> {
  static_assert(nDir == 0 || nDir == 1);

public:
  CVRTmpl_VectorComp() { SetAMTType(pvk::AMT_VECTOR); }

protected:
  int _Init(const zar::MList<CPostDSet*>& dsets) override {
    static constexpr std::int32_t kIds[] = {nC1, nC1, nC2, nC3};
    return BindSets(dsets, kIds, {pvk::POST_DSET_UNIT_MODEL_RESULT, true, 0x1u});
  }
  int _LoadPartial(CPostPartialD* pData, TVRDSet* pVRDSet, TVResParam* pParam) override {
    // Both axes are read, so that the rows are known when the direction's own is missing.
    static constexpr std::int32_t kSlots[] = {pvk::vrtmpl::kComputedColumn, 1, 2, -1};
    if (!pvk::vrtmpl::LoadSlotColumns(*this, pData, pVRDSet, pParam, kSlots, 0u)) return 0;
    pvk::vrtmpl::CopyDirection(*pData, nDir);
    pvk::vrtmpl::ZeroColumn(*pData, 2 - nDir);
    return 1;
  }
};

// The phase-angle variant: the component ids move (the unused third one too), the direction
// stays.
template <std::int32_t nDir, std::int32_t nC1, std::int32_t nC2, std::int32_t nC3>
struct TVRPhaseAngle<CVRTmpl_VectorComp<nDir, nC1, nC2, nC3>> {
  using type = CVRTmpl_VectorComp<nDir, pvk::vrtmpl::PhaseAngleId(nC1),
                                  pvk::vrtmpl::PhaseAngleId(nC2), pvk::vrtmpl::PhaseAngleId(nC3)>;
};
