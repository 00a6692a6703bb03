#pragma once
// The in-plane resultant of two axes of a vector: columns magnitude, x, y, z with the third
// axis zero. The combination's own component and all three components must be stored.
#include <cstdint>

#include "vresult/VResult_ZAR.h"
#include "vresult/templates/VRTmplCore.h"
#include "vresult/templates/VRTmplPhaseAngle.h"

template <std::int32_t nId, std::int32_t nAxisA, std::int32_t nAxisB, std::int32_t nC1,
          std::int32_t nC2, std::int32_t nC3>
class CVRTmpl_VectorComb : public pvk::vrtmpl::CVRTmplBinder<CVResult_ZAR> {
  static_assert(nAxisA >= 0 && nAxisA <= 2 && nAxisB >= 0 && nAxisB <= 2 && nAxisA != nAxisB);

public:
  CVRTmpl_VectorComb() { SetAMTType(pvk::AMT_VECTOR); }

protected:
  static constexpr std::int32_t AxisSlot(std::int32_t nAxis) {
    return nAxis == nAxisA || nAxis == nAxisB ? nAxis + 1 : -1;
  }
  int _Init(const zar::MList<CPostDSet*>& dsets) override {
    static constexpr std::int32_t kIds[] = {nId, nC1, nC2, nC3};
    return BindSets(dsets, kIds, {pvk::POST_DSET_UNIT_MODEL_RESULT, true, 0xFu});
  }
  int _LoadPartial(CPostPartialD* pData, TVRDSet* pVRDSet, TVResParam* pParam) override {
    // The third axis shows zero, so it is not read.
    static constexpr std::int32_t kSlots[] = {pvk::vrtmpl::kComputedColumn, AxisSlot(0),
                                              AxisSlot(1), AxisSlot(2)};
    if (!pvk::vrtmpl::LoadSlotColumns(*this, pData, pVRDSet, pParam, kSlots, 0u)) return 0;
    pvk::vrtmpl::CombineAxes(*pData, nAxisA, nAxisB);
    return 1;
  }
};

// The phase-angle variant: the ids move, the axes stay.
template <std::int32_t nId, std::int32_t nAxisA, std::int32_t nAxisB, std::int32_t nC1,
          std::int32_t nC2, std::int32_t nC3>
struct TVRPhaseAngle<CVRTmpl_VectorComb<nId, nAxisA, nAxisB, nC1, nC2, nC3>> {
  using type = CVRTmpl_VectorComb<pvk::vrtmpl::PhaseAngleId(nId), nAxisA, nAxisB,
                                  pvk::vrtmpl::PhaseAngleId(nC1), pvk::vrtmpl::PhaseAngleId(nC2),
                                  pvk::vrtmpl::PhaseAngleId(nC3)>;
};
