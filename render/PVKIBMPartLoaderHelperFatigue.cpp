#include "render/PVKIBMPartLoaderHelperFatigue.h"

#include "ibm/IBMPDLItem.h"
#include "render/GfxEnums.h"
#include "session/PostAPI.h"
#include "vresult/VResult.h"

namespace {

namespace gl = zar::oglib::gl;

// A nodal fatigue set: the result in component 0, then the normal stresses xx, yy, zz and
// the shear stresses xy, yz, zx.
constexpr std::int32_t kStressComps[] = {1, 2, 3, 4, 5, 6};
constexpr std::size_t kChannels = 3;
// Curve type codes carry the fatigue type in their last decimal digit.
constexpr std::int32_t kCurveCodeBase = 10;

}  // namespace

std::int32_t CPVKIBMPartLoaderHelperFatigue::GetFatigueType(std::int32_t resultID) {
  if (resultID == 9001 || resultID == 9002) return 0;
  if (resultID == 9003 || resultID == 9004) return 1;
  return 2;
}

std::int32_t CPVKIBMPartLoaderHelperFatigue::ChooseCurve(const TMPUFatD& fatD,
                                                         std::int32_t fatigueType) {
  for (std::size_t c = 0; c < fatD.m_aMSCType.size(); ++c)
    if (fatD.m_aMSCType[c] % kCurveCodeBase == fatigueType) return static_cast<std::int32_t>(c);
  return 0;
}

int CPVKIBMPartLoaderHelperFatigue::SetInit(CIBMPDLItem* pItem, TMPUBodySet* pSet) {
  if (!pItem || !pSet || !pSet->m_pBndrD) return Fail(L"No item or body set with a grid");
  m_pItem = pItem;
  m_pBndrSet = pSet;
  m_bndrD = *pSet->m_pBndrD;
  // A body without fatigue records gets empty ones: no curve.
  m_fatD = pSet->m_pFatD ? *pSet->m_pFatD : TMPUFatD{};
  m_fatMatD = pSet->m_pFatMatD ? *pSet->m_pFatMatD : TMPUFatMatD{};
  const CVResult* pMain = pItem->GetVResultMain();
  m_nShaderResType = IPostAPI::GetShaderResType(pMain);
  m_nShaderFatType = IPostAPI::GetShaderFatigueType(pMain);
  return 1;
}

int CPVKIBMPartLoaderHelperFatigue::SetData(CIBMPDLItem* pItem, TMPUBodySet* pSet) {
  m_aNormal.clear();
  m_aShear.clear();
  m_aCurve.clear();
  if (!pItem || !pSet) return Fail(L"No item or body set to sample");
  return SetStress(*pItem, *pSet) && SetCurve(*pItem);
}

const CIBMGlobalD* CPVKIBMPartLoaderHelperFatigue::GetStressData(const CIBMPDLItem& item) const {
  return item.GetMainD();
}

int CPVKIBMPartLoaderHelperFatigue::SetStress(const CIBMPDLItem& item, const TMPUBodySet& set) {
  const CIBMGlobalD* pData = GetStressData(item);
  const std::int64_t nValues = CheckNodalData(pData, kStressComps, L"fatigue");
  const std::int64_t nPoints = nValues < 0 ? -1 : CheckGrid(m_bndrD, set);
  if (nPoints < 0) return 0;
  std::array<const double*, std::size(kStressComps)> comp{};
  for (std::size_t c = 0; c < comp.size(); ++c)
    comp[c] = pData->GetCompData(kStressComps[c])->data();
  m_aNormal.assign(static_cast<std::size_t>(nPoints) * kChannels, 0.0f);
  m_aShear.assign(m_aNormal.size(), 0.0f);
  ForEachTexel(*pData, nValues, set, m_bndrD, nPoints, [&](std::int64_t texel, std::int32_t i) {
    const std::size_t at = static_cast<std::size_t>(texel) * kChannels;
    for (std::size_t c = 0; c < kChannels; ++c) {
      m_aNormal[at + c] = static_cast<float>(comp[c][i]);
      m_aShear[at + c] = static_cast<float>(comp[kChannels + c][i]);
    }
  });
  return 1;
}

int CPVKIBMPartLoaderHelperFatigue::SetCurve(const CIBMPDLItem& item) {
  const CVResult* pMain = item.GetVResultMain();
  const std::int32_t type = GetFatigueType(pMain ? pMain->GetType() : 0);
  const zar::MArray<double>& table = m_fatMatD.m_aTable[ChooseCurve(m_fatD, type)];
  const std::int32_t count = m_fatMatD.m_nPointCnt;
  if (count < 0 || static_cast<std::size_t>(count) > table.size()) {
    CString why;
    why.Format(L"Fatigue material %d has %d curve points but %d values", m_fatMatD.m_nMatID, count,
               static_cast<int>(table.size()));
    return Fail(why);
  }
  m_aCurve.assign(table.begin(), table.begin() + count);
  return 1;
}

void CPVKIBMPartLoaderHelperFatigue::GLInitTexture() {
  m_pNormalTex.reset();
  m_pShearTex.reset();
  m_pResultTex.reset();
}

int CPVKIBMPartLoaderHelperFatigue::GLSetTexture(CIBMPDLItem*, TMPUBodySet*) {
  GLInitTexture();
  const int ok = MakeVolumeTexture(m_pNormalTex, m_bndrD, gl::RGB32F, gl::RGB, m_aNormal) &&
                 MakeVolumeTexture(m_pShearTex, m_bndrD, gl::RGB32F, gl::RGB, m_aShear) &&
                 MakeCurveTexture();
  if (!ok) GLInitTexture();
  return ok;
}

int CPVKIBMPartLoaderHelperFatigue::MakeCurveTexture() {
  m_pResultTex = std::make_unique<zar::oglib::MTexture>();
  const int wrap = gl::CLAMP, filter = gl::NEAREST;
  zar::oglib::MTexture& tex = *m_pResultTex;
  const int ok = tex.GLGenerate() && tex.GLSetParam(gl::TEXTURE_1D, wrap, wrap, filter, filter) &&
                 tex.GLSetTexImage1D(gl::TEXTURE_1D, 0, gl::R32F, static_cast<int>(m_aCurve.size()),
                                     0, gl::RED, gl::FLOAT, std::as_bytes(std::span(m_aCurve)));
  return ok ? 1 : TextureFailed(tex);
}
