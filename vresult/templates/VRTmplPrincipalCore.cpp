#include "vresult/templates/VRTmplPrincipalCore.h"

#include <array>
#include <cmath>

#include "base/MathFunc.h"
#include "core/ModelDBLink.h"
#include "csys/OutputCSysConverter_ZAR.h"
#include "datastore/PostDSetModelResult.h"
#include "datastore/PostPartialD.h"
#include "vresult/VResult.h"
#include "vresult/templates/VRTmplCore.h"

namespace pvk::vrtmpl {

namespace {

using TVec = zar::MVector<double, 3>;

// The element systems of the block's keys; empty when the set has none.
zar::MArray<TElemOutCsys_d> ElemSystems(const CPostPartialD& data, const TVRDSet& vrdSet,
                                        const TVResParam& param) {
  zar::MArray<TElemOutCsys_d> csys;
  const auto* pDSet = dynamic_cast<const CPostUnitModelResultDSet*>(vrdSet.pDSet);
  const auto& loader = pDSet ? pDSet->GetElemCSysLoader() : nullptr;
  auto keys = *data.GetKey();
  if (!loader || !loader->LoadData(csys, param.pLinker, &keys) || csys.size() != keys.size())
    csys.clear();
  return csys;
}

// One row: the own value and direction, then the other value and direction.
void PrincipalRow(const double s[3], const TElemOutCsys_d* pCSys, bool bMinor,
                  std::array<double, 8>& row) {
  double out[3] = {};
  COutputCSysConverter_ZAR::calcPrincipalStress2D(s, out);
  double m[3][3];
  COutputCSysConverter_ZAR::GetElemOutputCSys(pCSys, 0, m);
  const TVec x{{m[0][0], m[0][1], m[0][2]}};
  const TVec normal{{m[2][0], m[2][1], m[2][2]}};
  const TVec major = zar::lib::MMathFunc::RotateVector(x, normal, out[2]);
  const TVec minor = zar::lib::MMathFunc::RotateVector(major, normal, -90.0);
  const TVec& own = bMinor ? minor : major;
  const TVec& other = bMinor ? major : minor;
  row = {bMinor ? out[1] : out[0], own[0],   own[1],   own[2],
         bMinor ? out[0] : out[1], other[0], other[1], other[2]};
}

}  // namespace

std::vector<TVRDSet> BindChain(const CVResult& vr, const zar::MList<CPostDSet*>& dsets,
                               std::span<const std::int32_t> aIds, bool bMatchCategory,
                               std::int32_t nOwnID, bool& bComplete) {
  std::vector<TVRDSet> found;
  bComplete = false;
  if (!FindBindings(vr, dsets, aIds, {POST_DSET_UNIT_MODEL_RESULT, bMatchCategory, 0x1u}, found))
    return {};
  bComplete = !found.empty();
  for (TVRDSet& vrdSet : found) {
    std::int32_t n = 0;
    while (n < vrdSet.count && vrdSet.pDComp[n]) ++n;
    for (std::int32_t i = n; i < vrdSet.count; ++i) vrdSet.pDComp[i] = nullptr;
    bComplete = bComplete && n == vrdSet.count;
  }
  if (!bComplete) return found;
  for (TVRDSet& vrdSet : found)
    if (CPostDComp* pOwn = vrdSet.pDSet->GetDComp(AskedCompID(vr.GetCompID(), nOwnID)))
      vrdSet.pDComp[0] = pOwn;
  return found;
}

int LoadPrincipal2D(const CVResult& vr, CPostPartialD* pData, const TVRDSet* pVRDSet,
                    const TVResParam* pParam, bool bMinor, int nStrain) {
  static constexpr std::int32_t kInPlane[] = {2, 3, 4};
  CPostPartialD stored;
  if (!pData || !pVRDSet || !pParam ||
      !LoadSlotColumns(vr, &stored, pVRDSet, pParam, kInPlane, 0x7u))
    return 0;
  const zar::MArray<TElemOutCsys_d> csys = ElemSystems(stored, *pVRDSet, *pParam);
  const IPreDBTable* pElems = pParam->pLinker ? pParam->pLinker->GetElementTable() : nullptr;
  const std::size_t nRows = stored.GetComp(0)->size();
  pData->Reset();
  pData->Init(AMT_PRINCIPAL_2D, stored.GetLOCType(), 8);
  for (std::int32_t c = 0; c < 8; ++c) pData->GetComp(c)->assign(nRows, 0.0);
  const auto& keys = *stored.GetKey();
  const auto& dsi = *stored.GetDSI();
  const auto& dct = *stored.GetDCT();
  std::array<double, 8> row{};
  for (std::size_t e = 0; e < keys.size() && e < dsi.size() && e < dct.size(); ++e) {
    if (!pElems || !pElems->FindByID(keys[e])) continue;
    for (std::int32_t j = 0; j < dct[e]; ++j) {
      const auto r = static_cast<std::size_t>(static_cast<std::int64_t>(dsi[e]) + j);
      if (r >= nRows) break;
      const double xy = (*stored.GetComp(2))[r];
      const double s[3] = {(*stored.GetComp(0))[r], (*stored.GetComp(1))[r],
                           nStrain ? 0.5 * xy : xy};
      PrincipalRow(s, csys.empty() ? nullptr : &csys[e], bMinor, row);
      for (std::int32_t c = 0; c < 8; ++c) (*pData->GetComp(c))[r] = row[c];
    }
  }
  *pData->GetKey() = std::move(*stored.GetKey());
  *pData->GetDSI() = std::move(*stored.GetDSI());
  *pData->GetDCT() = std::move(*stored.GetDCT());
  return 1;
}

}  // namespace pvk::vrtmpl
