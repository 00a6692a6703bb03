#include "render/PVKIBMPartLoaderHelper.h"

#include <limits>

#include "base/MsgOut.h"
#include "render/GfxEnums.h"

namespace gl = zar::oglib::gl;

int IPVKIBMPartLoaderHelper::GLCreateTexture(CIBMPDLItem* pItem, TMPUBodySet* pSet) {
  // Textures of an earlier body set never outlive a failed load of the next one.
  GLInitTexture();
  return SetInit(pItem, pSet) && SetData(pItem, pSet) && GLSetTexture(pItem, pSet);
}

int IPVKIBMPartLoaderHelper::Fail(const CString& reason) {
  m_strReason = reason;
  zar::lib::nsMsgOutWarning(L"%s\n", reason.GetString());
  return 0;
}

std::int64_t IPVKIBMPartLoaderHelper::CheckGrid(const TMPUBndrD& grid, const TMPUBodySet& set) {
  constexpr std::int64_t kMaxId = std::numeric_limits<std::int32_t>::max();
  CString why;
  std::int64_t points = 1;
  for (const std::int32_t n : grid.m_aNumber) {
    if (n < 0) {
      why.Format(L"The grid of body %d has a negative point count", set.m_nBodyID);
      break;
    }
    points *= n;  // each factor is below 2^31 and the product so far at most 2^31
    if (points > kMaxId) {
      why.Format(L"The grid of body %d has more points than node ids", set.m_nBodyID);
      break;
    }
  }
  const auto nodes = static_cast<std::int64_t>(set.m_aNodeID.size());
  if (why.IsEmpty() && points > N_MAX_GRID_POINT_PER_NODE * nodes)
    why.Format(L"The grid of body %d has %d points for %d nodes", set.m_nBodyID,
               static_cast<int>(points), static_cast<int>(nodes));
  return why.IsEmpty() ? points : (Fail(why), -1);
}

std::int64_t IPVKIBMPartLoaderHelper::CheckNodalData(const CIBMGlobalD* pData,
                                                     std::span<const std::int32_t> comps,
                                                     const wchar_t* what) {
  CString why;
  if (!pData || !pData->GetMPU()) {
    why.Format(L"The item has no %s data", what);
    return Fail(why), -1;
  }
  const auto nodes = static_cast<std::size_t>(pData->GetMPU()->GetBody().GetNodeSize());
  if (pData->GetDSI().size() != nodes || pData->GetDCT().size() != nodes) {
    why.Format(L"The %s data hold no values per grid node", what);
    return Fail(why), -1;
  }
  // A component shorter than the scalar one was never filled: its texels would be zeros.
  const auto values = static_cast<std::int64_t>(pData->GetScalarComp().size());
  for (const std::int32_t c : comps) {
    const zar::MArray<double>* comp = pData->GetCompData(c);
    if (!comp || static_cast<std::int64_t>(comp->size()) < values) {
      why.Format(L"The %s data lack component %d", what, c);
      return Fail(why), -1;
    }
  }
  return values;
}

void IPVKIBMPartLoaderHelper::ReportSkipped(std::int64_t skipped) {
  m_nSkippedNode = skipped;
  if (skipped > 0)
    zar::lib::nsMsgOutWarning(L"%g nodes lie outside their grid or have no value; skipped\n",
                              static_cast<double>(skipped));
}

int IPVKIBMPartLoaderHelper::MakeVolumeTexture(std::unique_ptr<zar::oglib::MTexture>& tex,
                                               const TMPUBndrD& grid, unsigned internalFormat,
                                               unsigned format, std::span<const float> texels) {
  tex = std::make_unique<zar::oglib::MTexture>();
  const int wrap = gl::CLAMP_TO_EDGE, filter = gl::LINEAR;
  const auto& n = grid.m_aNumber;
  const int ok = tex->GLGenerate() &&
                 tex->GLSetParam3D(gl::TEXTURE_3D, wrap, wrap, wrap, filter, filter) &&
                 tex->GLSetTexImage3D(tex->GetTarget(), 0, static_cast<int>(internalFormat), n[0],
                                      n[1], n[2], 0, format, gl::FLOAT, std::as_bytes(texels));
  if (ok) return 1;
  TextureFailed(*tex);
  tex.reset();
  return 0;
}

int IPVKIBMPartLoaderHelper::TextureFailed(const zar::oglib::MTexture& tex) {
  m_strReason = tex.GetReason();
  return 0;
}
