#pragma once
// One component of an element stress or strain tensor (output index 0 to 5 of XX, YY, ZZ, XY,
// YZ, ZX; ids 0 where the element has fewer), shown in the user's output coordinate system.
// Set to the tensor amount type, the result shows all six components.
#include <cstdint>

#include "vresult/VResult_ZAR.h"
#include "vresult/templates/VRTmplCore.h"
#include "vresult/templates/VRTmplPhaseAngle.h"
#include "vresult/templates/VRTmplTensorCore.h"

template <std::int32_t nA, std::int32_t nStrain, std::int32_t nIndex, std::int32_t nXX,
          std::int32_t nYY, std::int32_t nZZ, std::int32_t nXY, std::int32_t nYZ, std::int32_t nZX,
          class TBase>
class CVRTmpl_CNNT_StrsStrn_ZAR : public pvk::vrtmpl::CVRTmplBinder<TBase> {
  static_assert(nIndex >= 0 && nIndex < 6);
  static constexpr std::int32_t kComp[6] = {nXX, nYY, nZZ, nXY, nYZ, nZX};

public:
  CVRTmpl_CNNT_StrsStrn_ZAR() {
    this->SetAMTType(pvk::AMT_SCALAR);
    this->SetLocType(pvk::LOC_ELEM);
  }

protected:
  int _Init(const zar::MList<CPostDSet*>& dsets) override {
    static constexpr std::int32_t kIds[] = {kComp[nIndex], nXX, nYY, nZZ, nXY, nYZ, nZX};
    return this->BindSets(dsets, kIds, {pvk::POST_DSET_UNIT_MODEL_RESULT, true, 0x1u});
  }
  int _LoadPartial(CPostPartialD* pData, TVRDSet* pVRDSet, TVResParam* pParam) override {
    const bool bAll = this->GetDLoadOpt().nAMTType == pvk::AMT_TENSOR6;
    return pvk::vrtmpl::LoadTensorResult(*this, pData, pVRDSet, pParam, 6, nIndex, bAll, nStrain);
  }
};

// The phase-angle variant: the present component ids move, an absent one (0) stays absent.
template <std::int32_t nA, std::int32_t nStrain, std::int32_t nIndex, std::int32_t nXX,
          std::int32_t nYY, std::int32_t nZZ, std::int32_t nXY, std::int32_t nYZ, std::int32_t nZX,
          class TBase>
struct TVRPhaseAngle<
    CVRTmpl_CNNT_StrsStrn_ZAR<nA, nStrain, nIndex, nXX, nYY, nZZ, nXY, nYZ, nZX, TBase>> {
  using type = CVRTmpl_CNNT_StrsStrn_ZAR<
      nA, nStrain, nIndex, pvk::vrtmpl::PhaseAngleIdIfAny(nXX), pvk::vrtmpl::PhaseAngleIdIfAny(nYY),
      pvk::vrtmpl::PhaseAngleIdIfAny(nZZ), pvk::vrtmpl::PhaseAngleIdIfAny(nXY),
      pvk::vrtmpl::PhaseAngleIdIfAny(nYZ), pvk::vrtmpl::PhaseAngleIdIfAny(nZX), TBase>;
};
