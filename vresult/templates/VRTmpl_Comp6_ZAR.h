#pragma once
// The six components of a nodal tensor as a whole: six columns. The first must be stored.
#include <cstdint>

#include "vresult/VResult_ZAR.h"
#include "vresult/templates/VRTmplCore.h"
#include "vresult/templates/VRTmplPhaseAngle.h"

template <std::int32_t nC1, std::int32_t nC2, std::int32_t nC3, std::int32_t nC4, std::int32_t nC5,
          std::int32_t nC6, class TBase>
class CVRTmpl_Comp6_ZAR : public pvk::vrtmpl::CVRTmplBinder<TBase> {
public:
  CVRTmpl_Comp6_ZAR() {
    this->SetAMTType(pvk::AMT_TENSOR6);
    this->SetLocType(pvk::LOC_NODE);
  }

protected:
  int _Init(const zar::MList<CPostDSet*>& dsets) override {
    static constexpr std::int32_t kIds[] = {nC1, nC2, nC3, nC4, nC5, nC6};
    if (this->GetLocType() != pvk::LOC_NODE) {
      this->ClearVRDSet();
      return 0;
    }
    return this->BindSets(dsets, kIds, {pvk::POST_DSET_UNIT_MODEL_RESULT, false, 0x1u});
  }
  int _LoadPartial(CPostPartialD* pData, TVRDSet* pVRDSet, TVResParam* pParam) override {
    static constexpr std::int32_t kSlots[] = {0, 1, 2, 3, 4, 5};
    return pvk::vrtmpl::LoadSlotColumns(*this, pData, pVRDSet, pParam, kSlots, 0x1u);
  }
};

// The phase-angle variant: the component ids move, the base class stays.
template <std::int32_t nC1, std::int32_t nC2, std::int32_t nC3, std::int32_t nC4, std::int32_t nC5,
          std::int32_t nC6, class TBase>
struct TVRPhaseAngle<CVRTmpl_Comp6_ZAR<nC1, nC2, nC3, nC4, nC5, nC6, TBase>> {
  using type =
      CVRTmpl_Comp6_ZAR<pvk::vrtmpl::PhaseAngleId(nC1), pvk::vrtmpl::PhaseAngleId(nC2),
                        pvk::vrtmpl::PhaseAngleId(nC3), pvk::vrtmpl::PhaseAngleId(nC4),
                        pvk::vrtmpl::PhaseAngleId(nC5), pvk::vrtmpl::PhaseAngleId(nC6), TBase>;
};
