#pragma once
// A vector with its stored total: columns total, x, y, z as stored. The total and all three
// components must be stored (a two-component vector asks for component 0 as its third).
#include <cstdint>

#include "vresult/VResult_ZAR.h"
#include "vresult/templates/VRTmplCore.h"
#include "vresult/templates/VRTmplPhaseAngle.h"

template <std::int32_t nTotal, std::int32_t nC1, std::int32_t nC2, std::int32_t nC3>
class CVRTmpl_VectorTotal : public pvk::vrtmpl::CVRTmplBinder<CVResult_ZAR> {
public:
  CVRTmpl_VectorTotal() { SetAMTType(pvk::AMT_VECTOR); }

protected:
  int _Init(const zar::MList<CPostDSet*>& dsets) override {
    static constexpr std::int32_t kIds[] = {nTotal, nC1, nC2, nC3};
    return BindSets(dsets, kIds, {pvk::POST_DSET_UNIT_MODEL_RESULT, true, 0xFu});
  }
  int _LoadPartial(CPostPartialD* pData, TVRDSet* pVRDSet, TVResParam* pParam) override {
    static constexpr std::int32_t kSlots[] = {0, 1, 2, 3};
    // A total that fails to load would show as zero: the block fails instead.
    return pvk::vrtmpl::LoadSlotColumns(*this, pData, pVRDSet, pParam, kSlots, 0x1u);
  }
};

// The phase-angle variant: every id moves.
template <std::int32_t nTotal, std::int32_t nC1, std::int32_t nC2, std::int32_t nC3>
struct TVRPhaseAngle<CVRTmpl_VectorTotal<nTotal, nC1, nC2, nC3>> {
  using type =
      CVRTmpl_VectorTotal<pvk::vrtmpl::PhaseAngleId(nTotal), pvk::vrtmpl::PhaseAngleId(nC1),
                          pvk::vrtmpl::PhaseAngleId(nC2), pvk::vrtmpl::PhaseAngleId(nC3)>;
};
