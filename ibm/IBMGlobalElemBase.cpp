#include "ibm/IBMGlobalElemBase.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <type_traits>

#include "core/ResultId.h"
#include "ibm/IBMGlobalMesh.h"
#include "ibm/MeshPostUnit.h"

using namespace pvk::ibm;

namespace {

constexpr std::int32_t kShapeOrderLinear = 1;
constexpr std::int32_t kShapeOrderQuadratic = 2;
// How far past a cell's lower face, in grid steps, a point still counts as on the face: the
// rounding of a single-precision position turned into the grid's axes.
constexpr double kFaceSteps = 1e-4;
// A cell table is kept while the largest element id is at most this many times the element
// count (plus the minimum): four bytes per cell of the grids.
constexpr std::int64_t kCellTableSpread = 8;
constexpr std::int64_t kCellTableMin = 1024;

template <class T, class F>
std::shared_ptr<const ShapeFuncHexaBase<T>> Shared() {
  static const std::shared_ptr<const ShapeFuncHexaBase<T>> p = std::make_shared<const F>();
  return p;
}

bool IsShapeOrder(std::int32_t order) {
  return order == kShapeOrderLinear || order == kShapeOrderQuadratic;
}

template <class T>
void CopyFlat(const CIBMGlobalD::PartialList& list, TPostPartialD& flat) {
  if (list && list->GetSize() > 0) flat = list->GetList().front()->GetStruct();
}

}  // namespace

template <class T>
void CIBMGlobalElemBase::TGridFrame::ToGrid(const zar::MVector<double, 3>& p, T (&q)[3],
                                            const T (&origin)[3]) const {
  const auto& rot = [this]() -> const T(&)[3][3] {
    if constexpr (std::is_same_v<T, float>)
      return aRotF;
    else
      return aRot;
  }();
  const auto& origin2 = [this]() -> const T(&)[3] {
    if constexpr (std::is_same_v<T, float>)
      return aOrigin2F;
    else
      return aOrigin2;
  }();
  T x[3] = {T(p[0]), T(p[1]), T(p[2])};
  if (!bAligned) {
    T d[3];
    for (int a = 0; a < 3; ++a) d[a] = x[a] - origin2[a];
    for (int a = 0; a < 3; ++a) x[a] = rot[a][0] * d[0] + rot[a][1] * d[1] + rot[a][2] * d[2];
  }
  for (int a = 0; a < 3; ++a) q[a] = x[a] - origin[a];
}

// A point on the far face of the grid belongs to the last cell there. A point on the face
// between a cell without element and the cell below it belongs to the cell below: a part's
// surface often lies on a grid plane, and its vertices there must not fall into the empty
// cell beyond it.
template <class T>
std::int32_t CIBMGlobalElemBase::FindElem(std::int32_t b, const T (&q)[3]) const {
  const TGridFrame& f = m_aFrame[b];
  if (!f.bGrid) return -1;
  std::int32_t cell[3];
  bool onLowerFace[3];
  for (int a = 0; a < 3; ++a) {
    if (!(q[a] >= T(0)) || double(q[a]) > f.aExtent[a] || f.aCells[a] < 1) return -1;
    // Grid steps from the origin, held below the grid's end before the integer conversion.
    const double steps =
        std::min(double(q[a]) * f.aInvStep[a], double(f.aCells[a]) * double(f.nOrder));
    const auto whole = static_cast<std::int32_t>(steps);
    // Two steps per quadratic cell; a shift rather than a division by the order.
    cell[a] = std::min(f.nOrder == kShapeOrderQuadratic ? whole >> 1 : whole, f.aCells[a] - 1);
    onLowerFace[a] = cell[a] > 0 && steps - double(cell[a]) * f.nOrder <= kFaceSteps;
  }
  std::int32_t e = CellElem(b, cell);
  // The cells below across the faces the point lies on: one axis, then two, then three.
  for (const std::int32_t below : {1, 2, 4, 3, 5, 6, 7}) {
    if (e >= 0) break;
    std::int32_t next[3];
    bool onFaces = true;
    for (int a = 0; a < 3; ++a) {
      const bool across = (below >> a) & 1;
      onFaces = onFaces && (!across || onLowerFace[a]);
      next[a] = cell[a] - across;
    }
    if (onFaces) e = CellElem(b, next);
  }
  return e;
}

std::int32_t CIBMGlobalElemBase::CellElem(std::int32_t b, const std::int32_t (&cell)[3]) const {
  const TGridFrame& f = m_aFrame[b];
  const std::int64_t linear = std::int64_t{cell[2]} * f.nCellsPerLayer +
                              std::int64_t{cell[1]} * f.nCellsPerRow + cell[0] + f.nCellStart;
  if (linear >= std::numeric_limits<std::int32_t>::max()) return -1;
  if (!m_aCellElem.empty())
    return static_cast<std::uint64_t>(linear) < m_aCellElem.size() ? m_aCellElem[linear] : -1;
  return m_pMPU->GetBody().FindElemIndex(static_cast<std::int32_t>(linear) + 1);
}

// Cells are numbered over all grids, and a unit keeps most cells of its grids: a table by
// element id answers every lookup with one load. Ids far beyond the element count (a sparse
// grid, or a bad file) keep the id map rather than a table that large.
void CIBMGlobalElemBase::BuildCellElem() {
  m_aCellElem.clear();
  const CMPUBody& body = m_pMPU->GetBody();
  const std::int64_t nElem = body.GetElemSize();
  std::int64_t maxId = 0;
  for (std::int32_t e = 0; e < nElem; ++e) maxId = std::max<std::int64_t>(maxId, body.GetElemID(e));
  if (maxId > kCellTableSpread * nElem + kCellTableMin) return;
  m_aCellElem.assign(maxId, -1);
  for (std::int32_t e = 0; e < nElem; ++e)
    if (const std::int32_t id = body.GetElemID(e); id > 0) m_aCellElem[id - 1] = e;
}

void CIBMGlobalElemBase::Clear() {
  ClearShared();
  m_pList.reset();
  m_pPair.reset();
  m_aRowMain.clear();
  m_aRowPair.clear();
  m_aFrame.clear();
  m_aFatigue.clear();
  m_aHasFatigue.clear();
  m_aHardening.clear();
  m_aBodyElem.clear();
  m_aCellElem.clear();
  m_aSampled.clear();
  m_query.Reset();
}

int CIBMGlobalElemBase::SetGlobal(TIBMLoadParam& param, PartialList list, PartialList pair) {
  if (!list || list->GetSize() < 1 || !m_pMPU || !param.m_pMesh) {
    list.reset();
    pair.reset();
    return 0;
  }
  m_pList = list;
  m_pPair = pair && pair->GetSize() > 0 ? pair : nullptr;
  m_pMesh = param.m_pMesh;
  PrepareSampling();
  if (param.m_nBuild) DoSetGlobal(param, m_pList, m_pPair);
  return 1;
}

int CIBMGlobalElemBase::UpdateDataRange(TIBMLoadParam& param) {
  if (param.m_nBuild) SetDataRange(param.m_pMPUData);
  return 1;
}

int CIBMGlobalElemBase::SetGlobalToPartialBNIdx(TPostPartialD&, std::int32_t) { return 0; }

TKernelFlags CIBMGlobalElemBase::MakeFlags(bool bVolume) const {
  TKernelFlags f;
  f.bSPR = pvk::IsSPRAmtType(m_nAMTType);
  f.bSPRComp = m_nAMTType == pvk::AMT_SPR1;
  f.bPair = m_pPair != nullptr;
  f.bNonlinear = IsNonlinear();
  f.bComplex = IsComplex();
  f.bVonMises = IsVonMises();
  f.bPrincipal = IsPrincipal();
  f.bTotal = IsTotalDisplacement();
  f.bFatigueOut = IsFatigueOutputData();
  f.bFatigueIn = bVolume && IsFatigueInputData();
  // The fatigue part loader draws the stresses behind the damage on the graphics card; only the
  // volume data grow the components to keep them.
  f.bFatigueStress = bVolume && f.bFatigueOut;
  f.bHeatTotal = IsHeatTotal();
  f.bStrain = IsStrain();
  f.bPhase = m_nResType >= pvk::kPhaseAngleOffset;
  f.bEqStrs = IsEqStrs();
  f.bEfPlstStrn = IsEfPlstStrn();
  f.bNLVar = IsNLVar();
  f.nPrinIdx = GetStrPrinIdx();
  f.nFatigueSubType = GetFatigueSubTypeIdx();
  f.nBeginComp = GetBeginComp();
  f.nResType = m_nResType;
  return f;
}

void CIBMGlobalElemBase::PrepareSampling() {
  m_query.Reset();
  BuildCellElem();
  m_aRowMain = NodeRows(*m_pList->GetList().front());
  m_aRowPair = m_pPair ? NodeRows(*m_pPair->GetList().front()) : zar::MArray<std::int32_t>{};
  m_aFrame.clear();
  m_aFatigue.clear();
  m_aHasFatigue.clear();
  m_aHardening.clear();
  m_aBodyElem.clear();
  for (std::int32_t b = 0; b < static_cast<std::int32_t>(m_pMPU->GetBodySets().size()); ++b)
    m_aBodyElem.push_back(BodyElems(b));
  for (const auto& set : m_pMPU->GetBodySets()) {
    TGridFrame& f = m_aFrame.emplace_back();
    const TMPUBndrD* g = set->m_pBndrD;
    if (g && IsShapeOrder(g->m_nElemOrder)) {
      f.nOrder = g->m_nElemOrder;
      f.bAligned = g->m_nAlign == 1;
      f.bGrid = true;
      for (int a = 0; a < 3; ++a) {
        for (int k = 0; k < 3; ++k) {
          f.aRot[a][k] = g->m_aRot[a][k];
          f.aRotF[a][k] = static_cast<float>(g->m_aRot[a][k]);
        }
        f.aOrigin[a] = g->m_aOrigin[a];
        f.aOrigin2[a] = g->m_aOrigin2[a];
        f.aOriginF[a] = static_cast<float>(g->m_aOrigin[a]);
        f.aOrigin2F[a] = static_cast<float>(g->m_aOrigin2[a]);
        f.aExtent[a] = g->m_aExtent[a];
        f.aStep[a] = std::hypot(g->m_aStep[a][0], g->m_aStep[a][1], g->m_aStep[a][2]);
        f.aCells[a] = g->m_aNumber[a] > 1 ? (g->m_aNumber[a] - 1) / f.nOrder : 0;
        f.bGrid = f.bGrid && f.aStep[a] > 0.0;
        f.aInvStep[a] = f.bGrid ? 1.0 / f.aStep[a] : 0.0;
      }
      // Whole cells only, numbered from the body set's first cell, as the unit numbers them.
      f.nCellsPerRow = f.aCells[0];
      f.nCellsPerLayer = f.aCells[0] * f.aCells[1];
      f.nCellStart = set->m_nCellStart;
    }
    TFatigueCurve& curve = m_aFatigue.emplace_back();
    m_aHasFatigue.push_back(0);
    const std::int32_t type = GetFatigueTypeIdx();
    if (set->m_pFatD && set->m_pFatMatD && type >= 0) {
      for (std::size_t k = 0; k < 3 && !m_aHasFatigue.back(); ++k) {
        if (set->m_pFatD->m_aMSCType[k] % 10 != type) continue;
        m_aHasFatigue.back() = 1;
        curve.nMeasure = set->m_pFatD->m_nSequivalent;
        curve.rMaxLife = static_cast<float>(set->m_pFatD->m_rInfiniteLife);
        curve.rLower = static_cast<float>(set->m_pFatMatD->m_aLower[k]);
        curve.rUpper = static_cast<float>(set->m_pFatMatD->m_aUpper[k]);
        const auto& table = set->m_pFatMatD->m_aTable[k];
        const std::size_t n = std::min(
            table.size(), static_cast<std::size_t>(std::max(0, set->m_pFatMatD->m_nPointCnt)));
        for (std::size_t i = 0; i < n; ++i) curve.aTable.push_back(static_cast<float>(table[i]));
      }
    }
    const TMPUMatD* pMat = nullptr;
    for (const auto& mat : m_pMPU->GetMatDList())
      if (g && mat->m_nPartID == g->m_nPartID) pMat = mat.get();
    m_aHardening.push_back(THardening::From(pMat));
  }
}

template <class T>
TKernelContext<T> CIBMGlobalElemBase::MakeContext() const {
  TKernelContext<T> ctx;
  ctx.pMesh = m_pMesh;
  CopyFlat<T>(m_pList, ctx.main);
  CopyFlat<T>(m_pPair, ctx.pair);
  ctx.pRowMain = m_aRowMain.empty() ? nullptr : m_aRowMain.data();
  ctx.pRowPair = m_aRowPair.empty() ? nullptr : m_aRowPair.data();
  return ctx;
}

template <class T>
const ShapeFuncHexaBase<T>* CIBMGlobalElemBase::BodyShape(std::int32_t b) const {
  const TGridFrame& f = m_aFrame[b];
  if (!f.bGrid) return nullptr;
  if (f.nOrder == kShapeOrderLinear || pvk::IsSPRAmtType(m_nAMTType))
    return Shared<T, ShapeFuncHexa8<T>>().get();
  return Shared<T, ShapeFuncHexa20<T>>().get();
}

template <class T>
bool CIBMGlobalElemBase::CellAxes(std::int32_t b, std::int32_t e, const T (&origin)[3],
                                  TCellAxes<T>& axes) const {
  const std::span<const std::int32_t> nodes = m_pMesh->GetElemNodes(e);
  if (nodes.size() < N_CORNER_NODE || nodes[0] < 0 || nodes[6] < 0) return false;
  const TGridFrame& f = m_aFrame[b];
  T c0[3], c6[3];
  f.ToGrid(m_pMesh->GetNodePos(nodes[0]), c0, origin);
  f.ToGrid(m_pMesh->GetNodePos(nodes[6]), c6, origin);
  for (int a = 0; a < 3; ++a) {
    if (!(c6[a] != c0[a])) return false;
    axes.aSum[a] = c0[a] + c6[a];
    axes.aDiff[a] = c6[a] - c0[a];
  }
  return true;
}

void CIBMGlobalElemBase::EnsureWrittenComps(const TKernelFlags& flags, std::int32_t n) {
  const std::int32_t nWritten = std::min(WrittenCompCount(flags), N_MAX_COMP);
  for (std::int32_t c = 0; c < nWritten; ++c)
    if (m_aComp[c].size() < static_cast<std::size_t>(n)) m_aComp[c].resize(n, 0.0);
}

void CIBMGlobalElemBase::BeginSampling() {
  std::fill(m_aComp[0].begin(), m_aComp[0].end(), std::numeric_limits<double>::quiet_NaN());
}

void CIBMGlobalElemBase::EndSampling() {
  m_aSampled.assign(m_aComp[0].size(), 1);
  for (std::size_t i = 0; i < m_aComp[0].size(); ++i)
    if (std::isnan(m_aComp[0][i])) {
      m_aComp[0][i] = 0.0;
      m_aSampled[i] = 0;
    }
}

int CIBMGlobalElemBase::GetPosValue(const zar::MVector<double, 3>& pos, double& value) {
  if (!m_pMPU || !m_pMesh || !m_pList) return 0;
  TKernelContext<double>& ctx = m_query.ctx;
  if (!m_query.bBuilt) {
    ctx = MakeContext<double>();
    ctx.pCellRows = &m_query.cellRows;
    m_query.kernel = MakeValueKernel(MakeFlags(false), &ctx);
    m_query.bBuilt = true;
  }
  if (!m_query.kernel) return 0;
  for (std::int32_t b = 0; b < static_cast<std::int32_t>(m_aFrame.size()); ++b) {
    const TGridFrame& f = m_aFrame[b];
    // The origin is stored in single precision.
    const double origin[3] = {double(f.aOriginF[0]), double(f.aOriginF[1]), double(f.aOriginF[2])};
    double q[3], xi[3];
    f.ToGrid(pos, q, origin);
    const std::int32_t e = FindElem(b, q);
    if (e < 0) continue;
    ctx.SetShape(BodyShape<double>(b));
    ctx.pFatigue = m_aHasFatigue[b] ? &m_aFatigue[b] : nullptr;
    ctx.pHardening = &m_aHardening[b];
    TCellAxes<double> axes;
    if (!ctx.pShape || !CellAxes(b, e, origin, axes)) return 0;
    axes.Natural(q, xi);
    double scratch[N_MAX_COMP];
    double* out[N_MAX_COMP];
    for (std::int32_t c = 0; c < N_MAX_COMP; ++c) out[c] = &scratch[c];
    scratch[0] = std::numeric_limits<double>::quiet_NaN();
    m_query.kernel(e, xi, pos, out, 0);
    if (std::isnan(scratch[0])) return 0;
    value = scratch[0];
    return 1;
  }
  return 0;
}

template void CIBMGlobalElemBase::TGridFrame::ToGrid(const zar::MVector<double, 3>&, float (&)[3],
                                                     const float (&)[3]) const;
template std::int32_t CIBMGlobalElemBase::FindElem(std::int32_t, const float (&)[3]) const;
template TKernelContext<float> CIBMGlobalElemBase::MakeContext() const;
template TKernelContext<double> CIBMGlobalElemBase::MakeContext() const;
template const ShapeFuncHexaBase<float>* CIBMGlobalElemBase::BodyShape(std::int32_t) const;
template bool CIBMGlobalElemBase::CellAxes(std::int32_t, std::int32_t, const float (&)[3],
                                           TCellAxes<float>&) const;
