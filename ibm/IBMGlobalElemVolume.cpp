#include "ibm/IBMGlobalElemVolume.h"

#include <array>
#include <cmath>
#include <limits>
#include <memory>

#include "ibm/IBMGlobalMesh.h"
#include "ibm/MeshPostUnit.h"

using namespace pvk::ibm;

int CIBMGlobalElemVolume::DoSetGlobal(TIBMLoadParam& param, PartialList list, PartialList) {
  if (!m_pMPU || !m_pMesh || !list || list->GetSize() < 1) return 0;
  const bool bAll8 = pvk::IsSPRAmtType(m_nAMTType);
  InitVolumeArrays();
  zar::MArray<unsigned char> hasValue(m_aRowMain.size());
  for (std::size_t nd = 0; nd < hasValue.size(); ++nd) hasValue[nd] = m_aRowMain[nd] >= 0;
  SetVolumeNoResult(hasValue, bAll8);
  for (auto& c : m_aComp) c.clear();
  const std::int32_t nSlot = SetVolumeDataCount();
  DataIncrease(nSlot);
  EnsureWrittenComps(MakeFlags(true), nSlot);
  SetDataComponent();
  SetDataRange(param.m_pMPUData);
  return 1;
}

int CIBMGlobalElemVolume::DataIncrease(std::int32_t n) {
  if (n < 1 || m_nCompCnt < 1) return 0;
  GrowComps(IsFatigueData() ? m_nCompCnt - GetBeginComp() : 1, n);
  return 1;
}

void CIBMGlobalElemVolume::SetDataComponent() {
  const TKernelFlags flags = MakeFlags(true);
  TKernelContext<float> ctx = MakeContext<float>();
  const TValueKernel<float> kernel = MakeValueKernel(flags, &ctx);
  if (!kernel) return;
  std::array<double*, N_MAX_COMP> out{};
  for (std::int32_t c = 0; c < N_MAX_COMP; ++c) out[c] = m_aComp[c].data();
  const auto claimed = std::make_unique<std::atomic_flag[]>(m_aDCT.size());
  for (std::int32_t b = 0; b < static_cast<std::int32_t>(m_aFrame.size()); ++b) {
    ctx.SetShape(BodyShape<float>(b));
    ctx.pFatigue = m_aHasFatigue[b] ? &m_aFatigue[b] : nullptr;
    ctx.pHardening = &m_aHardening[b];
    if (ctx.pShape) SampleBody(b, kernel, out.data(), claimed.get());
  }
}

// A node shared by several cells is evaluated once, by the cell that claims it first. Its
// natural coordinates in any of them are the exact ones of its place in the cell, where the
// shape functions give the same value from every cell that shares it, so the claim order
// does not change the result. Most nodes are claimed already when a cell reaches them: the
// plain read spares them the locked exchange of the claim. A node whose kernel gives no value
// keeps 0.
void CIBMGlobalElemVolume::SampleBody(std::int32_t b, const TValueKernel<float>& kernel,
                                      double* const* out, std::atomic_flag* claimed) const {
  const zar::MArray<std::int32_t>& elems = m_aBodyElem[b];
  const auto nElem = static_cast<std::int64_t>(elems.size());
#pragma omp parallel for schedule(static)
  for (std::int64_t i = 0; i < nElem; ++i) {
    const std::int32_t e = elems[i];
    if (e < 0 || m_aNoResult[e]) continue;
    const std::span<const std::int32_t> nodes = m_pMesh->GetElemNodes(e);
    const auto nDisplay = std::min<std::size_t>(nodes.size(), N_HEXA27_DISPLAY_NODE);
    for (std::size_t k = 0; k < nDisplay; ++k) {
      const std::int32_t nd = nodes[k];
      if (nd < 0 || !m_aDCT[nd] || claimed[nd].test(std::memory_order_relaxed) ||
          claimed[nd].test_and_set(std::memory_order_relaxed))
        continue;
      const auto& natural = kHexaNodeNatural[k];
      const float xi[3] = {float(natural[0]), float(natural[1]), float(natural[2])};
      double& value = out[0][m_aDSI[nd]];
      value = std::numeric_limits<double>::quiet_NaN();
      kernel(e, xi, m_pMesh->GetNodePos(nd), out, m_aDSI[nd]);
      if (std::isnan(value)) value = 0.0;
    }
  }
}
