#pragma once
// One of the eight resultants of a shell or plane element (forces XX, YY, XY, moments XX, YY,
// XY, transverse shears XZ, YZ; ids 0 where absent), shown in the user's output coordinate
// system. Set to the force-set amount type, the result shows all eight.
#include <cstdint>

#include "vresult/VResult_ZAR.h"
#include "vresult/templates/VRTmplCore.h"
#include "vresult/templates/VRTmplPhaseAngle.h"
#include "vresult/templates/VRTmplTensorCore.h"

template <std::int32_t nIndex, std::int32_t nC1, std::int32_t nC2, std::int32_t nC3,
          std::int32_t nC4, std::int32_t nC5, std::int32_t nC6, std::int32_t nC7, std::int32_t nC8,
          class TBase>
class CVRTmpl_CNNT_ForcMoment_ZAR : public pvk::vrtmpl::CVRTmplBinder<TBase> {
  static_assert(nIndex >= 0 && nIndex < 8);
  static constexpr std::int32_t kComp[8] = {nC1, nC2, nC3, nC4, nC5, nC6, nC7, nC8};

public:
  CVRTmpl_CNNT_ForcMoment_ZAR() {
    this->SetAMTType(pvk::AMT_SCALAR);
    this->SetLocType(pvk::LOC_ELEM);
  }

protected:
  int _Init(const zar::MList<CPostDSet*>& dsets) override {
    static constexpr std::int32_t kIds[] = {kComp[nIndex], nC1, nC2, nC3, nC4, nC5, nC6, nC7, nC8};
    return this->BindSets(dsets, kIds, {pvk::POST_DSET_UNIT_MODEL_RESULT, true, 0x1u});
  }
  int _LoadPartial(CPostPartialD* pData, TVRDSet* pVRDSet, TVResParam* pParam) override {
    const bool bAll = this->GetDLoadOpt().nAMTType == pvk::AMT_FORCE_SET8;
    return pvk::vrtmpl::LoadTensorResult(*this, pData, pVRDSet, pParam, 8, nIndex, bAll, 0);
  }
};

// The phase-angle variant: the present component ids move, an absent one (0) stays absent.
template <std::int32_t nIndex, std::int32_t nC1, std::int32_t nC2, std::int32_t nC3,
          std::int32_t nC4, std::int32_t nC5, std::int32_t nC6, std::int32_t nC7, std::int32_t nC8,
          class TBase>
struct TVRPhaseAngle<
    CVRTmpl_CNNT_ForcMoment_ZAR<nIndex, nC1, nC2, nC3, nC4, nC5, nC6, nC7, nC8, TBase>> {
  using type = CVRTmpl_CNNT_ForcMoment_ZAR<
      nIndex, pvk::vrtmpl::PhaseAngleIdIfAny(nC1), pvk::vrtmpl::PhaseAngleIdIfAny(nC2),
      pvk::vrtmpl::PhaseAngleIdIfAny(nC3), pvk::vrtmpl::PhaseAngleIdIfAny(nC4),
      pvk::vrtmpl::PhaseAngleIdIfAny(nC5), pvk::vrtmpl::PhaseAngleIdIfAny(nC6),
      pvk::vrtmpl::PhaseAngleIdIfAny(nC7), pvk::vrtmpl::PhaseAngleIdIfAny(nC8), TBase>;
};
