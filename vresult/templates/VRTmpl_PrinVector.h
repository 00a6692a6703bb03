#pragma once
// A principal value of a solid with its direction: twelve columns (each principal value A, B,
// C followed by its three direction cosines, the result's own group first). Without all
// twelve stored components the result falls back to its value alone.
#include <array>
#include <cstdint>

#include "vresult/VResult_ZAR.h"
#include "vresult/templates/VRTmplCore.h"
#include "vresult/templates/VRTmplPhaseAngle.h"
#include "vresult/templates/VRTmplPrincipalCore.h"

template <std::int32_t nDir, std::int32_t nOwn, std::int32_t nA, std::int32_t nAx, std::int32_t nAy,
          std::int32_t nAz, std::int32_t nB, std::int32_t nBx, std::int32_t nBy, std::int32_t nBz,
          std::int32_t nC, std::int32_t nCx, std::int32_t nCy, std::int32_t nCz>
class CVRTmpl_PrinVector : public pvk::vrtmpl::CVRTmplBinder<CVResult_ZAR> {
  static_assert(nDir >= 0 && nDir <= 2);
  static constexpr std::int32_t kGroup[3][4] = {
      {nA, nAx, nAy, nAz}, {nB, nBx, nBy, nBz}, {nC, nCx, nCy, nCz}};

public:
  CVRTmpl_PrinVector() { SetAMTType(pvk::AMT_PRINCIPAL_3D); }
  // 0: the value with its direction and the other two; 1: the value alone.
  int GetMode() const { return m_nMode; }

protected:
  int _Init(const zar::MList<CPostDSet*>& dsets) override {
    // The result's own group, then the other two in A, B, C order.
    static constexpr auto kIds = [] {
      constexpr std::int32_t order[3] = {nDir, nDir == 0 ? 1 : 0, nDir == 2 ? 1 : 2};
      std::array<std::int32_t, 12> ids{};
      for (std::int32_t g = 0; g < 3; ++g)
        for (std::int32_t i = 0; i < 4; ++i) ids[g * 4 + i] = kGroup[order[g]][i];
      return ids;
    }();
    ClearVRDSet();
    bool bComplete = false;
    for (const TVRDSet& vrdSet : pvk::vrtmpl::BindChain(*this, dsets, kIds, false, nOwn, bComplete))
      AddVRDSet(vrdSet);
    m_nMode = bComplete ? 0 : 1;
    SetAMTType(bComplete ? pvk::AMT_PRINCIPAL_3D : pvk::AMT_SCALAR);
    return IsEmptyVRDSet() ? 0 : 1;
  }
  int _LoadPartial(CPostPartialD* pData, TVRDSet* pVRDSet, TVResParam* pParam) override {
    static constexpr std::int32_t kAll[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    static constexpr std::int32_t kValue[] = {0};
    return m_nMode == 0 ? pvk::vrtmpl::LoadSlotColumns(*this, pData, pVRDSet, pParam, kAll, 0xFFFu)
                        : pvk::vrtmpl::LoadSlotColumns(*this, pData, pVRDSet, pParam, kValue, 1u);
  }

private:
  int m_nMode = 0;
};

// The phase-angle variant: every id moves, the direction stays.
template <std::int32_t nDir, std::int32_t nOwn, std::int32_t nA, std::int32_t nAx, std::int32_t nAy,
          std::int32_t nAz, std::int32_t nB, std::int32_t nBx, std::int32_t nBy, std::int32_t nBz,
          std::int32_t nC, std::int32_t nCx, std::int32_t nCy, std::int32_t nCz>
struct TVRPhaseAngle<
    CVRTmpl_PrinVector<nDir, nOwn, nA, nAx, nAy, nAz, nB, nBx, nBy, nBz, nC, nCx, nCy, nCz>> {
  using type = CVRTmpl_PrinVector<nDir, pvk::vrtmpl::PhaseAngleId(nOwn),
                                  pvk::vrtmpl::PhaseAngleId(nA), pvk::vrtmpl::PhaseAngleId(nAx),
                                  pvk::vrtmpl::PhaseAngleId(nAy), pvk::vrtmpl::PhaseAngleId(nAz),
                                  pvk::vrtmpl::PhaseAngleId(nB), pvk::vrtmpl::PhaseAngleId(nBx),
                                  pvk::vrtmpl::PhaseAngleId(nBy), pvk::vrtmpl::PhaseAngleId(nBz),
                                  pvk::vrtmpl::PhaseAngleId(nC), pvk::vrtmpl::PhaseAngleId(nCx),
                                  pvk::vrtmpl::PhaseAngleId(nCy), pvk::vrtmpl::PhaseAngleId(nCz)>;
};
