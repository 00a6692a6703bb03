#pragma once
// The case information of an envelope result (crane-load positions, load sets of the minimum
// and maximum): one column and the case information of the block.
#include <cstdint>

#include "vresult/VResult_ZAR.h"
#include "vresult/templates/VRTmplCore.h"
#include "vresult/templates/VRTmplPhaseAngle.h"

template <std::int32_t nComp>
class CVRTmpl_ScalarDirect_UnitEntity_CaseInfo : public pvk::vrtmpl::CVRTmplBinder<CVResult_ZAR> {
public:
  CVRTmpl_ScalarDirect_UnitEntity_CaseInfo() { SetAMTType(pvk::AMT_SCALAR); }

protected:
  int _Init(const zar::MList<CPostDSet*>& dsets) override {
    static constexpr std::int32_t kIds[] = {nComp};
    return BindSets(dsets, kIds, {pvk::POST_DSET_UNIT_ENTITY_CASE_INFO, true, 0x1u});
  }
  int _LoadPartial(CPostPartialD* pData, TVRDSet* pVRDSet, TVResParam* pParam) override {
    return pvk::vrtmpl::LoadCaseInfo(*this, nComp, pData, pVRDSet, pParam);
  }
};

// The phase-angle variant reads the phase-angle component.
template <std::int32_t nComp>
struct TVRPhaseAngle<CVRTmpl_ScalarDirect_UnitEntity_CaseInfo<nComp>> {
  using type = CVRTmpl_ScalarDirect_UnitEntity_CaseInfo<pvk::vrtmpl::PhaseAngleId(nComp)>;
};
