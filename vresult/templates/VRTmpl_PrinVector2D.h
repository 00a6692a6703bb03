#pragma once
// The major (0) or minor (1) in-plane principal value of a shell, plane, surface or
// axisymmetric element with its direction: eight columns computed from the stored XX, YY and
// XY components. Without all five stored components the result falls back to its stored
// value alone.
#include <cstdint>

#include "vresult/VResult_ZAR.h"
#include "vresult/templates/VRTmplCore.h"
#include "vresult/templates/VRTmplPhaseAngle.h"
#include "vresult/templates/VRTmplPrincipalCore.h"

template <std::int32_t nMinor, std::int32_t nMajorID, std::int32_t nMinorID, std::int32_t nXX,
          std::int32_t nYY, std::int32_t nXY, std::int32_t nStrain>
class CVRTmpl_PrinVector2D : public pvk::vrtmpl::CVRTmplBinder<CVResult_ZAR> {
  static_assert(nMinor == 0 || nMinor == 1);

public:
  CVRTmpl_PrinVector2D() {
    SetAMTType(pvk::AMT_PRINCIPAL_2D);
    SetLocType(pvk::LOC_ELEM);
  }
  // 0: eight columns; 1: the stored value alone.
  int GetMode() const { return m_nMode; }

protected:
  int _Init(const zar::MList<CPostDSet*>& dsets) override {
    // The result's own stored value first, so that the fallback shows it and not the other.
    static constexpr std::int32_t kIds[] = {nMinor ? nMinorID : nMajorID,
                                            nMinor ? nMajorID : nMinorID, nXX, nYY, nXY};
    ClearVRDSet();
    bool bComplete = false;
    const std::int32_t nOwn = kIds[0];
    for (const TVRDSet& vrdSet : pvk::vrtmpl::BindChain(*this, dsets, kIds, true, nOwn, bComplete))
      AddVRDSet(vrdSet);
    m_nMode = bComplete ? 0 : 1;
    SetAMTType(bComplete ? pvk::AMT_PRINCIPAL_2D : pvk::AMT_SCALAR);
    return IsEmptyVRDSet() ? 0 : 1;
  }
  int _LoadPartial(CPostPartialD* pData, TVRDSet* pVRDSet, TVResParam* pParam) override {
    static constexpr std::int32_t kValue[] = {0};
    if (m_nMode != 0)
      return pvk::vrtmpl::LoadSlotColumns(*this, pData, pVRDSet, pParam, kValue, 1u);
    return pvk::vrtmpl::LoadPrincipal2D(*this, pData, pVRDSet, pParam, nMinor != 0, nStrain);
  }

private:
  int m_nMode = 0;
};

// The phase-angle variant: the ids move, the choice of value and the strain flag stay.
template <std::int32_t nMinor, std::int32_t nMajorID, std::int32_t nMinorID, std::int32_t nXX,
          std::int32_t nYY, std::int32_t nXY, std::int32_t nStrain>
struct TVRPhaseAngle<CVRTmpl_PrinVector2D<nMinor, nMajorID, nMinorID, nXX, nYY, nXY, nStrain>> {
  using type =
      CVRTmpl_PrinVector2D<nMinor, pvk::vrtmpl::PhaseAngleId(nMajorID),
                           pvk::vrtmpl::PhaseAngleId(nMinorID), pvk::vrtmpl::PhaseAngleId(nXX),
                           pvk::vrtmpl::PhaseAngleId(nYY), pvk::vrtmpl::PhaseAngleId(nXY), nStrain>;
};
