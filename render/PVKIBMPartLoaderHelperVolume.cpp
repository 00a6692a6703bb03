#include "render/PVKIBMPartLoaderHelperVolume.h"

#include <array>

#include "ibm/IBMPDLItem.h"
#include "render/GfxEnums.h"

namespace {

namespace gl = zar::oglib::gl;

// The three translation components of a deformation, and the scalar component.
constexpr std::int32_t kTranslationComps[] = {1, 2, 3};
constexpr std::int32_t kScalarComps[] = {0};

}  // namespace

int CPVKIBMPartLoaderHelperVolume::SetInit(CIBMPDLItem*, TMPUBodySet* pSet) {
  if (!pSet || !pSet->m_pBndrD) return Fail(L"The body set has no grid");
  m_bndrD = *pSet->m_pBndrD;
  return 1;
}

int CPVKIBMPartLoaderHelperVolume::SetData(CIBMPDLItem* pItem, TMPUBodySet* pSet) {
  m_aTexel.clear();
  if (!pItem || !pSet) return Fail(L"No item or body set to sample");
  const TVolumeKind kind = GetKind();
  const CIBMGlobalD* pData = GetData(*pItem);
  const std::int64_t nValues = CheckNodalData(pData, kind.comps, kind.pszName);
  const std::int64_t nPoints = nValues < 0 ? -1 : CheckGrid(m_bndrD, *pSet);
  if (nPoints < 0) return 0;
  const std::size_t width = kind.comps.size();
  std::array<const double*, N_MAX_CHANNEL> comp{};
  for (std::size_t c = 0; c < width; ++c) comp[c] = pData->GetCompData(kind.comps[c])->data();
  m_aTexel.assign(static_cast<std::size_t>(nPoints) * width, 0.0f);
  ForEachTexel(*pData, nValues, *pSet, m_bndrD, nPoints, [&](std::int64_t texel, std::int32_t i) {
    float* out = &m_aTexel[static_cast<std::size_t>(texel) * width];
    for (std::size_t c = 0; c < width; ++c) out[c] = static_cast<float>(comp[c][i]);
  });
  return 1;
}

int CPVKIBMPartLoaderHelperVolume::GLSetTexture(CIBMPDLItem*, TMPUBodySet*) {
  const TVolumeKind kind = GetKind();
  return MakeVolumeTexture(m_pVolumeTex, m_bndrD, kind.nInternalFormat, kind.nFormat, m_aTexel);
}

CPVKIBMPartLoaderHelperVolume::TVolumeKind CPVKIBMPartLoaderHelperDeform::GetKind() const {
  return {L"deformation", kTranslationComps, gl::RGB32F, gl::RGB};
}

const CIBMGlobalD* CPVKIBMPartLoaderHelperDeform::GetData(const CIBMPDLItem& item) const {
  return item.GetDeformD();
}

CPVKIBMPartLoaderHelperVolume::TVolumeKind CPVKIBMPartLoaderHelperNodal::GetKind() const {
  return {L"nodal", kScalarComps, gl::R32F, gl::RED};
}

const CIBMGlobalD* CPVKIBMPartLoaderHelperNodal::GetData(const CIBMPDLItem& item) const {
  return item.GetMainD();
}
