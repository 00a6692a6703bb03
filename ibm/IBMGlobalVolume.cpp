#include "ibm/IBMGlobalVolume.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "ibm/IBMGlobalMesh.h"
#include "ibm/MeshPostUnit.h"
#include "ibm/ShapeFuncHexa.h"

namespace {

constexpr std::int32_t kAnalStatic = 119;  // the analysis whose displacements and stresses
                                           // are shown from 0 up
constexpr std::int32_t kAnalNonlinear = 123;
constexpr double kDamageMax = 100.0;

bool In(std::int32_t id, std::int32_t lo, std::int32_t hi) { return id >= lo && id <= hi; }

// Corners and mid-edge nodes of the six faces; the face centre is display node 20 + face.
constexpr std::int32_t kFaceCorner[6][4] = {{3, 2, 1, 0}, {4, 5, 6, 7}, {0, 1, 5, 4},
                                            {1, 2, 6, 5}, {2, 3, 7, 6}, {0, 4, 7, 3}};
constexpr std::int32_t kFaceMid[6][4] = {{10, 9, 8, 11},  {12, 13, 14, 15}, {8, 17, 12, 16},
                                         {9, 18, 13, 17}, {10, 19, 14, 18}, {16, 15, 19, 11}};
constexpr std::int32_t kFirstFaceNode = 20;
constexpr std::int32_t kCentreNode = 26;

}  // namespace

int CIBMGlobalVolume::SetGlobal(TIBMLoadParam& param, PartialList list) {
  if (!list || list->GetSize() < 1 || !m_pMPU || !param.m_pMesh) return 0;
  m_pMesh = param.m_pMesh;
  DoSetGlobal(param.m_pMPUData, *list);
  return 1;
}

int CIBMGlobalVolume::UpdateDataRange(TIBMLoadParam& param) {
  DoCalcDataRange(param.m_pMPUData);
  return 1;
}

bool CIBMGlobalVolume::GetTotalDisplacement() const {
  return IsTotalDisplacement() && !In(m_nAnalType, 112, 115);
}

double CIBMGlobalVolume::Settle(double v) const {
  if (std::fabs(v) < R_ZERO) v = 0.0;
  if (GetTotalDisplacement()) return v;
  const std::int32_t r = m_nResType;
  const bool bMin =
      (m_nAnalType == kAnalStatic && (r == 101 || In(r, 201, 204) || In(r, 301, 304) ||
                                      In(r, 7107, 7110) || In(r, 7207, 7210))) ||
      (m_nAnalType == kAnalNonlinear && r == 7702) || In(r, 9101, 9106);
  if (bMin && v < 0.0) v = 0.0;
  if (In(r, 9101, 9106)) v = std::min(v, r % 2 == 1 ? kDamageMax : m_rFatMax);
  return v;
}

void CIBMGlobalVolume::DoSetGlobal(const CMPUData* pData, const CPostPartialDList& list) {
  const CPostPartialD& part = *list.GetList().front();
  InitVolumeArrays();
  const zar::MArray<std::int32_t> rows = NodeRows(part);
  zar::MArray<unsigned char> hasValue(rows.size(), 0);
  for (std::size_t nd = 0; nd < rows.size(); ++nd) hasValue[nd] = rows[nd] >= 0;
  SetVolumeNoResult(hasValue, false);
  DataIncrease(SetVolumeDataCount());
  SetComponents(part, rows, hasValue);
  SetDerivedNodes(hasValue);
  DoCalcDataRange(pData);
}

// hasValue keeps only the nodes that received a value.
void CIBMGlobalVolume::SetComponents(const CPostPartialD& part,
                                     const zar::MArray<std::int32_t>& rows,
                                     zar::MArray<unsigned char>& hasValue) {
  const std::int32_t nComp = std::min(m_nCompCnt, part.GetCompCnt());
  for (std::size_t nd = 0; nd < rows.size(); ++nd) {
    hasValue[nd] = rows[nd] >= 0 && m_aDCT[nd];
    if (!hasValue[nd]) continue;
    for (std::int32_t c = 0; c < nComp; ++c) {
      const zar::MArray<double>& from = *part.GetComp(c);
      const auto r = static_cast<std::size_t>(rows[nd]);
      m_aComp[c][m_aDSI[nd]] = Settle(r < from.size() ? from[r] : 0.0);
    }
  }
}

void CIBMGlobalVolume::SetDerivedNodes(zar::MArray<unsigned char>& hasValue) {
  const auto& sets = m_pMPU->GetBodySets();
  for (std::int32_t b = 0; b < static_cast<std::int32_t>(sets.size()); ++b) {
    if (ResultNodeCount(*sets[b]) != N_ELEM_ORG_NODE) continue;
    for (const std::int32_t e : BodyElems(b)) {
      if (e < 0 || m_aNoResult[e]) continue;
      const std::span<const std::int32_t> nodes = m_pMesh->GetElemNodes(e);
      if (nodes.size() != static_cast<std::size_t>(pvk::ibm::N_HEXA27_DISPLAY_NODE)) continue;
      for (std::int32_t k = kFirstFaceNode; k <= kCentreNode; ++k) {
        const std::int32_t nd = nodes[k];
        if (nd < 0 || !m_aDCT[nd] || hasValue[nd]) continue;
        DeriveNode(e, k);
        hasValue[nd] = 1;
      }
    }
  }
}

// The 20-node functions at a face centre weigh its mid-edge nodes 1/2 and its corners -1/4;
// at the cell centre every mid-edge node 1/4 and every corner -1/4.
void CIBMGlobalVolume::DeriveNode(std::int32_t elem, std::int32_t k) {
  const std::span<const std::int32_t> nodes = m_pMesh->GetElemNodes(elem);
  const std::int32_t slot = m_aDSI[nodes[k]];
  for (std::int32_t c = 0; c < m_nCompCnt; ++c) {
    auto value = [&](std::int32_t j) { return m_aComp[c][m_aDSI[nodes[j]]]; };
    double mid = 0.0, corner = 0.0, wMid = 0.25;
    if (k == kCentreNode) {
      for (std::int32_t j = 0; j < N_CORNER_NODE; ++j) corner += value(j);
      for (std::int32_t j = N_CORNER_NODE; j < N_ELEM_ORG_NODE; ++j) mid += value(j);
    } else {
      wMid = 0.5;
      for (std::int32_t j = 0; j < 4; ++j) {
        corner += value(kFaceCorner[k - kFirstFaceNode][j]);
        mid += value(kFaceMid[k - kFirstFaceNode][j]);
      }
    }
    double v = Settle(wMid * mid - 0.25 * corner);
    if (GetSaturate()) v = std::clamp(v, 0.0, 1.0);
    m_aComp[c][slot] = v;
  }
  if (GetTotalDisplacement() && m_nCompCnt >= 4) {
    const double x = m_aComp[1][slot], y = m_aComp[2][slot], z = m_aComp[3][slot];
    m_aComp[0][slot] = Settle(std::sqrt(x * x + y * y + z * z));
  }
}
