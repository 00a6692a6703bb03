#pragma once
// One component of a three-component vector, shown as a vector along its axis: columns value,
// x, y, z with the two other axes zero. Only the direction's component must be stored.
#include <cstdint>

#include "vresult/VResult_ZAR.h"
#include "vresult/templates/VRTmplCore.h"
#include "vresult/templates/VRTmplPhaseAngle.h"

template <std::int32_t nDir, std::int32_t nC1, std::int32_t nC2, std::int32_t nC3, class TBase>
class CVRTmpl_VectorComp_ZAR : public pvk::vrtmpl::CVRTmplBinder<TBase> {
  static_assert(nDir >= 0 && nDir <= 2);

public:
  CVRTmpl_VectorComp_ZAR() { this->SetAMTType(pvk::AMT_VECTOR); }

protected:
  int _Init(const zar::MList<CPostDSet*>& dsets) override {
    static constexpr std::int32_t kIds[] = {nDir == 0 ? nC1 : nDir == 1 ? nC2 : nC3, nC1, nC2, nC3};
    return this->BindSets(dsets, kIds, {pvk::POST_DSET_UNIT_MODEL_RESULT, true, 0x1u});
  }
  int _LoadPartial(CPostPartialD* pData, TVRDSet* pVRDSet, TVResParam* pParam) override {
    // The other axes show zero, so they are not read.
    static constexpr std::int32_t kSlots[] = {pvk::vrtmpl::kComputedColumn, nDir == 0 ? 1 : -1,
                                              nDir == 1 ? 2 : -1, nDir == 2 ? 3 : -1};
    if (!pvk::vrtmpl::LoadSlotColumns(*this, pData, pVRDSet, pParam, kSlots, 1u << (nDir + 1)))
      return 0;
    pvk::vrtmpl::CopyDirection(*pData, nDir);
    return 1;
  }
};

// The phase-angle variant: the component ids move, direction and base class stay.
template <std::int32_t nDir, std::int32_t nC1, std::int32_t nC2, std::int32_t nC3, class TBase>
struct TVRPhaseAngle<CVRTmpl_VectorComp_ZAR<nDir, nC1, nC2, nC3, TBase>> {
  using type =
      CVRTmpl_VectorComp_ZAR<nDir, pvk::vrtmpl::PhaseAngleId(nC1), pvk::vrtmpl::PhaseAngleId(nC2),
                             pvk::vrtmpl::PhaseAngleId(nC3), TBase>;
};
