#include "ibm/IBMGlobalElem.h"

#include <array>

#include "ibm/IBMGlobalMesh.h"
#include "ibm/MeshPostUnit.h"

using namespace pvk::ibm;

int CIBMGlobalElem::DoSetGlobal(TIBMLoadParam& param, PartialList list, PartialList) {
  if (!m_pMPU || !m_pMesh || !list || list->GetSize() < 1) return 0;
  const CPostPartialD& part = *list->GetList().front();
  InitVertices();
  SetNoResultElem(part);
  SetDataComponent();
  SetElemNodeMinMax(param.m_pMPUData);
  return 1;
}

std::span<const zar::MVector<double, 3>> CIBMGlobalElem::BodyVertices(std::int32_t b) const {
  if (!m_pMPU->IsBodyShown(b)) return {};
  return m_pMesh->GetBodyVertices(b);
}

std::int32_t CIBMGlobalElem::GetVertexSize() const {
  if (!m_pMPU || !m_pMesh) return 0;
  std::size_t n = 0;
  for (std::int32_t b = 0; b < static_cast<std::int32_t>(m_pMPU->GetBodySets().size()); ++b)
    n += BodyVertices(b).size();
  return static_cast<std::int32_t>(n);
}

void CIBMGlobalElem::InitVertices() {
  const std::int32_t nBody = static_cast<std::int32_t>(m_pMPU->GetBodySets().size());
  m_aID.clear();
  m_aPos.clear();
  m_aDSI.assign(nBody, 0);
  m_aDCT.assign(nBody, 0);
  for (std::int32_t b = 0; b < nBody; ++b) {
    m_aDSI[b] = static_cast<std::int32_t>(m_aPos.size());
    for (const auto& p : BodyVertices(b)) {
      m_aID.push_back(static_cast<std::int32_t>(m_aPos.size()));
      m_aPos.push_back(p);
    }
    m_aDCT[b] = static_cast<std::int32_t>(m_aPos.size()) - m_aDSI[b];
  }
  const auto n = static_cast<std::int32_t>(m_aPos.size());
  for (auto& c : m_aComp) c.clear();
  // A recovered (SPR) result shows one value per vertex.
  GrowComps(pvk::IsSPRAmtType(m_nAMTType) ? 1 : m_nCompCnt, n);
  EnsureWrittenComps(MakeFlags(false), n);
  m_aNoResult.assign(m_pMPU->GetBody().GetElemSize(), 1);
}

void CIBMGlobalElem::SetNoResultElem(const CPostPartialD&) {
  zar::MArray<unsigned char> hasValue(m_aRowMain.size());
  for (std::size_t nd = 0; nd < hasValue.size(); ++nd) hasValue[nd] = m_aRowMain[nd] >= 0;
  SetVolumeNoResult(hasValue, pvk::IsSPRAmtType(m_nAMTType));
}

void CIBMGlobalElem::SetDataComponent() {
  const TKernelFlags flags = MakeFlags(false);
  TKernelContext<float> ctx = MakeContext<float>();
  const TValueKernel<float> kernel = MakeValueKernel(flags, &ctx);
  if (!kernel) return m_aSampled.assign(m_aComp[0].size(), 0);
  TCellRows cellRows;
  ctx.pCellRows = &cellRows;
  std::array<double*, N_MAX_COMP> out{};
  for (std::int32_t c = 0; c < N_MAX_COMP; ++c) out[c] = m_aComp[c].data();
  BeginSampling();
  for (std::int32_t b = 0; b < static_cast<std::int32_t>(m_aFrame.size()); ++b) {
    if (const ShapeFuncHexaBase<float>* shape = BodyShape<float>(b)) ctx.SetShape(shape);
    ctx.pFatigue = m_aHasFatigue[b] ? &m_aFatigue[b] : nullptr;
    ctx.pHardening = &m_aHardening[b];
    if (!ctx.pShape) continue;
    SampleBody(b, kernel, out.data());
  }
  EndSampling();
}

// A tessellation runs face by face, so neighbouring vertices mostly share a cell: the cell's
// axes are taken once for a run of vertices in it.
void CIBMGlobalElem::SampleBody(std::int32_t b, const TValueKernel<float>& kernel,
                                double* const* out) const {
  const TGridFrame& f = m_aFrame[b];
  std::int32_t last = -1;
  bool bAxes = false;
  TCellAxes<float> axes;
  for (std::int32_t v = m_aDSI[b]; v < m_aDSI[b] + m_aDCT[b]; ++v) {
    float q[3], xi[3];
    f.ToGrid(m_aPos[v], q, f.aOriginF);
    const std::int32_t e = FindElem(b, q);
    if (e < 0) continue;
    if (e != last) {
      bAxes = CellAxes(b, e, f.aOriginF, axes);
      last = e;
    }
    if (!bAxes) continue;
    axes.Natural(q, xi);
    kernel(e, xi, m_aPos[v], out, v);
  }
}

void CIBMGlobalElem::SetDataRange(const CMPUData* pData) {
  m_range = {};
  if (!m_pMPU || m_aSampled.size() != m_aComp[0].size()) return;
  const auto nBody = static_cast<std::int32_t>(m_aDSI.size());
  m_aBndrRange.assign(nBody, {});
  for (std::int32_t b = 0; b < nBody; ++b) {
    if (!m_pMPU->IsBodyShowingResult(b, pData)) continue;
    for (std::int32_t v = m_aDSI[b]; v < m_aDSI[b] + m_aDCT[b]; ++v)
      if (m_aSampled[v]) m_aBndrRange[b].Offer(m_aComp[0][v], v);
  }
  MergeBndrRanges();
}

void CIBMGlobalElem::SetElemNodeMinMax(const CMPUData* pData) {
  SetDataRange(pData);
  if (!m_range.IsSet()) return;
  m_aExtent = {m_range.m_rMin, m_range.m_rMax};
}
