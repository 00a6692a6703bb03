#include "vresult/templates/VRTmplCSysConvert.h"

#include "base/MsgOut.h"
#include "core/ModelDBLink.h"
#include "core/ResultId.h"
#include "csys/OutputCSysConverter_ZAR.h"
#include "datastore/PostDSetModelResult.h"
#include "datastore/PostPartialD.h"
#include "vresult/VResult.h"

namespace {

bool IsElemLoc(pvk::LOC_TYPE loc) {
  return loc == pvk::LOC_ELEM || loc == pvk::LOC_ELEM_CORNER || loc == pvk::LOC_ELEM_NODE;
}

IPreDBLinker* LinkerOf(const TVResParam* pParam) { return pParam ? pParam->pLinker : nullptr; }

// 1 with csys filled per key, or left empty when the data set keeps no element systems (the
// values are then global); 0 when its systems exist but cannot be read for these keys.
int LoadElemSystems(CPostPartialD& data, const TVRDSet* pVRDSet, const TVResParam* pParam,
                    zar::MArray<pvk::TElemOutCsys_d>& csys) {
  const auto* pDSet =
      pVRDSet ? dynamic_cast<const CPostUnitModelResultDSet*>(pVRDSet->pDSet) : nullptr;
  const auto& loader = pDSet ? pDSet->GetElemCSysLoader() : nullptr;
  if (!loader || data.GetKey()->empty()) return 1;
  return loader->LoadData(csys, LinkerOf(pParam), data.GetKey()) &&
         csys.size() == data.GetKey()->size();
}

// 1 per key of a two-dimensional element; all 0 without a model.
zar::MArray<std::uint8_t> ShellFlags(const zar::MArray<std::int32_t>& keys,
                                     const TVResParam* pParam) {
  zar::MArray<std::uint8_t> flags(keys.size(), 0);
  const IPreDBLinker* pLinker = LinkerOf(pParam);
  const IPreDBTable* pElems = pLinker ? pLinker->GetElementTable() : nullptr;
  if (!pElems) return flags;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const TPreElemTypeInfo* pInfo = pLinker->GetElemTypeInfo(pElems->FindByID(keys[i]));
    flags[i] = pInfo && pInfo->m_nDimension == 2 ? 1 : 0;
  }
  return flags;
}

// The columns and entity index of the block; false when they do not agree.
bool DescribeGroups(CPostPartialD& data, TCSysConvGroups& g) {
  g.nComp = data.GetCompCnt();
  if (g.nComp != 3 && g.nComp != 6 && g.nComp != 8) return false;
  const std::size_t rows = data.GetComp(0)->size();
  if (rows > static_cast<std::size_t>(INT32_MAX)) return false;
  for (std::int32_t k = 0; k < g.nComp; ++k) {
    if (data.GetComp(k)->size() != rows) return false;
    g.pComp[k] = data.GetComp(k)->data();
  }
  const auto& dsi = *data.GetDSI();
  if (dsi.size() != data.GetDCT()->size() || dsi.size() != data.GetKey()->size()) return false;
  g.nRows = static_cast<std::int32_t>(rows);
  g.nEntity = static_cast<std::int32_t>(dsi.size());
  g.pDSI = dsi.data();
  g.pDCT = data.GetDCT()->data();
  return true;
}

}  // namespace

namespace pvk::vrtmpl {

int ConvertPartialD(const TOutCSysInfo* pInfo, const CVResult* pResult, CPostPartialD* pData,
                    const TVRDSet* pVRDSet, const TVResParam* pParam, int nStrain) {
  if (!pInfo || !pResult || !pData) return 0;
  if (pResult->GetType() > pvk::kPhaseAngleOffset) {
    if (pInfo->nShowWarning)
      zar::lib::nsMsgOutWarning(L"Output CSys Option Bypassed : The Result Is a Complex Result");
    return 0;
  }
  if (pInfo->nCSysKind < 1 || pInfo->nCSysKind > 5) return 0;
  TCSysConvGroups groups;
  if (!DescribeGroups(*pData, groups)) return 0;
  zar::MArray<pvk::TElemOutCsys_d> csys;
  if (IsElemLoc(pData->GetLOCType())) {
    if (!LoadElemSystems(*pData, pVRDSet, pParam, csys)) return 0;
    groups.pElemCSys = csys.empty() ? nullptr : csys.data();
  }
  zar::MArray<std::uint8_t> shells;
  if (pInfo->nProjection && IsElemLoc(pData->GetLOCType())) {
    shells = ShellFlags(*pData->GetKey(), pParam);
    groups.pIsShell = shells.data();
  }
  return COutputCSysConverter_ZAR::ConvertGroups(*pInfo, nStrain, groups);
}

}  // namespace pvk::vrtmpl
