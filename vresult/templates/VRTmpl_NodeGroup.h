#pragma once
// What the nodal tensor, fatigue, nonlinear and SPR templates share: a group of node
// components read together, column i from slot i, missing ones zero. The first component must
// be stored. TGroup gives the ids (kIds), the preset amount type (kAmt), whether sets of
// another category fail the binding (kMatchCategory) and the amount types that load (Loads).
#include "vresult/VResult_ZAR.h"
#include "vresult/templates/VRTmplCore.h"
#include "vresult/templates/VRTmplPhaseAngle.h"

template <class TGroup>
class CVRTmpl_NodeGroup : public pvk::vrtmpl::CVRTmplBinder<CVResult_ZAR> {
public:
  CVRTmpl_NodeGroup() {
    SetAMTType(TGroup::kAmt);
    SetLocType(pvk::LOC_NODE);
  }

protected:
  int _Init(const zar::MList<CPostDSet*>& dsets) override {
    if (GetLocType() != pvk::LOC_NODE) {
      ClearVRDSet();
      return 0;
    }
    return BindSets(dsets, TGroup::kIds,
                    {pvk::POST_DSET_UNIT_MODEL_RESULT, TGroup::kMatchCategory, 0x1u});
  }
  int _LoadPartial(CPostPartialD* pData, TVRDSet* pVRDSet, TVResParam* pParam) override {
    if (!TGroup::Loads(GetDLoadOpt().nAMTType)) return 0;
    return pvk::vrtmpl::LoadEverySlot(*this, pData, pVRDSet, pParam);
  }
};

// The phase-angle variant reads the phase-angle group.
template <class TGroup>
struct TVRPhaseAngle<CVRTmpl_NodeGroup<TGroup>> {
  using type = CVRTmpl_NodeGroup<TVRPhaseAngleOf<TGroup>>;
};
