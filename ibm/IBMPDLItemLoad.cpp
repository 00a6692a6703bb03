// Loading an item's results into their data objects through the host's mesh post provider.
#include <initializer_list>
#include <utility>

#include "base/WaitCursor.h"
#include "datastore/PostPartialDList.h"
#include "ibm/IBMPDLItem.h"
#include "ibm/MPUPostProvider.h"
#include "vresult/VResult.h"

namespace {

// Point values carry their value and three components whatever their amount type.
constexpr std::int32_t kPointCompCnt = 4;

void FillLoadOpt(const CVResult& vr, const IMPUPostProvider& provider, pvk::TDLoadOpt& opt) {
  opt.nAnalType = provider.GetAnalType(vr);
  opt.rFatigueMax = provider.GetFatigueMax(vr);
  opt.nResType = vr.GetType();
  opt.nAMTType = vr.GetDLoadOpt().nAMTType;
  if (opt.nLOCType == 0) opt.nLOCType = vr.GetLocType();
}

// The result's values, or null when it cannot load them.
CIBMGlobalD::PartialList LoadList(CVResult& vr, const IMPUPostProvider& provider,
                                  const TIBMLoadParam& param) {
  auto list = std::make_shared<CPostPartialDList>();
  TVResParam load{provider.GetUnitCtrl(), param.m_pLinker};
  return vr.LoadData(list.get(), &load) ? list : nullptr;
}

}  // namespace

int CIBMPDLItem::LoadRole(CVResult& vr, CVResult* pPair, CIBMGlobalD& data, pvk::TDLoadOpt& opt,
                          TIBMLoadParam& param, bool bTwoLists, bool bPairShown) {
  const IMPUPostProvider* pProvider = param.m_pMPUProvider;
  CMPUPost* pMPU = pProvider ? pProvider->GetMPUPost(vr.GetPOHMcas()) : nullptr;
  if (!pMPU) return 0;
  FillLoadOpt(vr, *pProvider, opt);
  if (bPairShown && pPair) opt.nResType = pPair->GetType();
  PartialList list = LoadList(vr, *pProvider, param);
  PartialList pair = pPair ? LoadList(*pPair, *pProvider, param) : nullptr;
  if (!list || (pPair && !pair)) return 0;
  const std::int32_t nComp = opt.nLOCType == pvk::LOC_POINT ? kPointCompCnt : 0;
  if (!data.InitData(pMPU, opt, nComp)) return 0;
  return bTwoLists ? data.SetGlobal(param, std::move(list), std::move(pair))
                   : data.SetGlobal(param, std::move(list));
}

int CIBMPDLItem::_LoadData(CVResult& vr, CIBMGlobalD& data, pvk::TDLoadOpt& opt,
                           TIBMLoadParam& param) {
  return LoadRole(vr, nullptr, data, opt, param, false, false);
}

int CIBMPDLItem::_LoadDataWithPair(CVResult& vr, CVResult& pair, CIBMGlobalD& data,
                                   pvk::TDLoadOpt& opt, TIBMLoadParam& param, bool bPairShown) {
  return LoadRole(vr, &pair, data, opt, param, true, bPairShown);
}

int CIBMPDLItem::_LoadCapData(CVResult& vr, CVResult* pPair, CIBMGlobalD& data, pvk::TDLoadOpt& opt,
                              TIBMLoadParam& param, bool bPairShown) {
  return LoadRole(vr, pPair, data, opt, param, true, bPairShown);
}

int CIBMPDLItem::LoadCombined(std::int32_t nMain, std::int32_t nImag, bool bCap,
                              pvk::TDLoadOpt& opt, TIBMLoadParam& param) {
  CVResult* pMain = m_apVResult[nMain];
  CVResult* pImag = m_apVResult[nImag];
  CVResult* pNonl = m_apVResult[ROLE_NONL];
  if (!pMain || !m_apData[nMain]) return 0;
  // Once a phase angle was shown its result holds the main role; the real part still loads
  // into the main data.
  if (IsPhaseResult(pMain) && pImag && !IsPhaseResult(pImag)) std::swap(pMain, pImag);
  CIBMGlobalD& data = *m_apData[nMain];
  const auto loadPair = [&](CVResult& pair, bool bPairShown) {
    return bCap ? _LoadCapData(*pMain, &pair, data, opt, param, bPairShown)
                : _LoadDataWithPair(*pMain, pair, data, opt, param, bPairShown);
  };
  const auto loadOne = [&](CVResult& vr, CIBMGlobalD& into, pvk::TDLoadOpt& o) {
    return bCap ? _LoadCapData(vr, nullptr, into, o, param) : _LoadData(vr, into, o, param);
  };
  // The caller's options go with the main result; the counterpart starts from the same.
  const pvk::TDLoadOpt given = opt;
  const bool bPhase = CheckState(STATE_PHASE) != 0;
  if (CheckState(STATE_NONL) && pNonl) {
    if (!loadPair(*pNonl, false)) return 0;
  } else if (CheckState(STATE_COMP) && pImag && pMain->GetDLoadOpt().nAMTType == pvk::AMT_SPR6) {
    // The pair kernels form the quantity of the id they load with.
    if (!loadPair(*pImag, bPhase)) return 0;
    if (bPhase) TakePhaseRole(nMain, nImag);
  } else {
    if (!loadOne(*pMain, data, opt)) return 0;
    if (CheckState(STATE_COMP)) {
      pvk::TDLoadOpt imagOpt = given;
      if (!pImag || !m_apData[nImag] || !loadOne(*pImag, *m_apData[nImag], imagOpt)) return 0;
      if (CheckState(STATE_MAGNITUDE)) _Equation(nMain, nImag);
    }
  }
  if (CheckState(STATE_RMS)) {
    for (const std::int32_t nRole : {nMain, nImag}) _Sigma(nRole, param);
    if (!bCap) _Sigma(ROLE_NONL, param);
  }
  // The combination and scaling changed the values.
  return data.UpdateDataRange(param);
}

int CIBMPDLItem::LoadMainData(pvk::TDLoadOpt& opt, TIBMLoadParam& param) {
  const CWaitCursor wait;
  return LoadCombined(ROLE_MAIN, ROLE_IMAG, false, opt, param);
}

int CIBMPDLItem::LoadCapData(pvk::TDLoadOpt& opt, TIBMLoadParam& param) {
  const CWaitCursor wait;
  return LoadCombined(ROLE_CAP, ROLE_CAP_IMAG, true, opt, param);
}

int CIBMPDLItem::LoadDeformData(pvk::TDLoadOpt& opt, TIBMLoadParam& param) {
  const CWaitCursor wait;
  CVResult* pDeform = m_apVResult[ROLE_DEFORM];
  CIBMGlobalD* pData = m_apData[ROLE_DEFORM].get();
  if (!pDeform || !pData || !_LoadData(*pDeform, *pData, opt, param)) return 0;
  return pData->UpdateDataRange(param);
}

int CIBMPDLItem::LoadFatigueData(pvk::TDLoadOpt& opt, TIBMLoadParam& param) {
  const CWaitCursor wait;
  CVResult* pFatigue = m_apVResult[ROLE_FATIGUE];
  CIBMGlobalD* pData = m_apData[ROLE_FATIGUE].get();
  return pFatigue && pData ? _LoadCapData(*pFatigue, nullptr, *pData, opt, param) : 0;
}
