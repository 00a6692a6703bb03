#include "vresult/templates/VRTmplTensorCore.h"

#include <array>
#include <numeric>

#include "base/MsgOut.h"
#include "csys/OutputCSysConverter_ZAR.h"
#include "datastore/PostPartialD.h"
#include "vresult/VResult.h"
#include "vresult/templates/VRTmplCSysConvert.h"
#include "vresult/templates/VRTmplCore.h"

namespace pvk::vrtmpl {

namespace {

constexpr std::int32_t kMaxComp = 8;

// Columns 0 to nComp - 1 from slots 1 to nComp, missing ones zero-filled.
int LoadAllComponents(const CVResult& vr, CPostPartialD* pData, const TVRDSet* pVRDSet,
                      const TVResParam* pParam, std::int32_t nComp) {
  std::array<std::int32_t, kMaxComp> slots{};
  std::iota(slots.begin(), slots.end(), 1);
  return LoadSlotColumns(vr, pData, pVRDSet, pParam,
                         std::span<const std::int32_t>(slots.data(), nComp), 0u);
}

// The block takes the keys and indexing of the converted one and its columns: all, or the
// one of the output index.
void TakeConverted(CPostPartialD& out, CPostPartialD& converted, std::int32_t nIndex, bool bAll) {
  if (bAll) {
    out = std::move(converted);
    return;
  }
  out.Reset();
  out.Init(converted.GetAMTType(), converted.GetLOCType(), 1);
  *out.GetKey() = std::move(*converted.GetKey());
  *out.GetDSI() = std::move(*converted.GetDSI());
  *out.GetDCT() = std::move(*converted.GetDCT());
  *out.GetComp(0) = std::move(*converted.GetComp(nIndex));
}

}  // namespace

int LoadTensorResult(const CVResult& vr, CPostPartialD* pData, const TVRDSet* pVRDSet,
                     const TVResParam* pParam, std::int32_t nComp, std::int32_t nIndex, bool bAll,
                     int nStrain) {
  if (!pData || !pParam || nComp < 1 || nComp > kMaxComp || nIndex < 0 || nIndex >= nComp) return 0;
  if (COutputCSysConverter_ZAR::IsNeedConvert(pParam->pOutCSys)) {
    CPostPartialD converted;
    if (!LoadAllComponents(vr, &converted, pVRDSet, pParam, nComp)) return 0;
    if (ConvertPartialD(pParam->pOutCSys, &vr, &converted, pVRDSet, pParam, nStrain)) {
      TakeConverted(*pData, converted, nIndex, bAll);
      return 1;
    }
    // Half-converted values would pass for converted ones: the stored values are shown.
    zar::lib::nsMsgOutWarning(L"Failed to Output Coordinate Converting");
  }
  if (bAll) return LoadAllComponents(vr, pData, pVRDSet, pParam, nComp);
  static constexpr std::int32_t kShown[] = {0};
  return LoadSlotColumns(vr, pData, pVRDSet, pParam, kShown, 0x1u);
}

}  // namespace pvk::vrtmpl
