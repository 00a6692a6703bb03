#include "ibm/IBMGlobalKernel.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "ibm/IBMGlobalMesh.h"
#include "ibm/MPURecords.h"

namespace pvk::ibm {

namespace {

constexpr float kDamageMax = 100.0f;
constexpr double kRadToDeg = 180.0 / std::numbers::pi;
constexpr std::int32_t kMaxNode = N_HEXA20_NODE;
// Columns of a nonlinear set: the effective plastic strain, then the six back stresses. The
// nodal set leads with the equivalent stress, the recovered (SPR) set does not.
constexpr std::int32_t kNLStrainCol = 1, kNLBackCol = 2;
constexpr std::int32_t kNLStrainColSPR = 0, kNLBackColSPR = 1;
constexpr std::int32_t kFirstBackStress = 7703, kFirstBackStressSPR = 60322;
constexpr std::int32_t kSPRIdStep = 11;
// The most components a recovered (SPR) set holds: 70 columns of 10 coefficients.
constexpr std::int32_t kMaxSPRComp = 7;

// Pairs, then quads, then octets: the sum at a display node shared by two 20-node cells then
// comes out the same from either cell, whatever the cell's node numbering.
template <class T>
T Quad(const T* t) {
  return (t[0] + t[1]) + (t[2] + t[3]);
}
template <class T>
T PairwiseSum(const T (&t)[N_HEXA20_NODE]) {
  return ((Quad(t) + Quad(t + 4)) + (Quad(t + 8) + Quad(t + 12))) + Quad(t + 16);
}

template <class T>
void HalveShears(T s[N_TENSOR]) {
  for (int k = 3; k < N_TENSOR; ++k) s[k] *= T(0.5);
}

template <class T>
T Norm3(const T* v) {
  return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
}

// The tensor quantity of a stress or strain result: von Mises or one principal value.
template <class T>
T TensorQuantity(const TKernelFlags& f, T s[N_TENSOR]) {
  if (f.bStrain) HalveShears(s);
  if (f.bVonMises) return VonMises(s);
  T p[3];
  PrincipalValues(s, p);
  return p[std::clamp(f.nPrinIdx, 0, 2)];
}

}  // namespace

template <class T>
T VonMises(const T s[N_TENSOR]) {
  const T a = s[0] - s[1], b = s[1] - s[2], c = s[2] - s[0];
  return std::sqrt((a * a + b * b + c * c + T(6) * (s[3] * s[3] + s[4] * s[4] + s[5] * s[5])) *
                   T(0.5));
}

template <class T>
void PrincipalValues(const T s[N_TENSOR], T out[3]) {
  T scale = 0;
  for (int k = 0; k < N_TENSOR; ++k) scale = std::max(scale, std::fabs(s[k]));
  if (scale < T(R_ZERO_F)) {
    out[0] = out[1] = out[2] = 0;
    return;
  }
  T a[N_TENSOR];
  for (int k = 0; k < N_TENSOR; ++k) a[k] = s[k] / scale;
  const T m = (a[0] + a[1] + a[2]) / T(3);
  const T d0 = a[0] - m, d1 = a[1] - m, d2 = a[2] - m;
  const T q =
      (d0 * d0 + d1 * d1 + d2 * d2 + T(2) * (a[3] * a[3] + a[4] * a[4] + a[5] * a[5])) / T(6);
  const T det = d0 * d1 * d2 + T(2) * a[3] * a[4] * a[5] - d0 * a[4] * a[4] - d1 * a[5] * a[5] -
                d2 * a[3] * a[3];
  const T r = det / T(2);
  T v[3] = {m, m, m};
  if (std::fabs(q) >= T(R_ZERO_F)) {
    const T rq = r / q;
    const T phi = std::atan2(std::sqrt(std::max(T(0), q - rq * rq)), rq) / T(3);
    const T sq = std::sqrt(q), c = std::cos(phi), sn = std::sqrt(T(3)) * std::sin(phi);
    v[0] = m + T(2) * sq * c;
    v[1] = m - sq * (c + sn);
    v[2] = m - sq * (c - sn);
  }
  std::sort(v, v + 3, [](T x, T y) { return x > y; });
  for (int k = 0; k < 3; ++k) out[k] = v[k] * scale;
}

float TFatigueCurve::Equivalent(const float s[N_TENSOR]) const {
  float p[3];
  PrincipalValues(s, p);
  const float vm = VonMises(s);
  switch (nMeasure) {
    case 0:
      return std::fabs(p[0]) >= std::fabs(p[2]) ? std::copysign(vm, p[0]) : std::copysign(vm, p[2]);
    case 1:
      return vm;
    case 2:
      return std::max(std::fabs(p[0]), std::fabs(p[2]));
    default:
      return 0.5f * (p[0] - p[2]);
  }
}

float TFatigueCurve::Evaluate(float sigma, std::int32_t nSubType) const {
  float damage = 0.0f;
  if (sigma > rUpper) {
    damage = kDamageMax;
  } else if (sigma >= rLower && !aTable.empty()) {
    const auto n = static_cast<std::int32_t>(aTable.size());
    damage = aTable[0];
    if (n > 1 && rUpper > rLower) {
      const float t = (sigma - rLower) * static_cast<float>(n - 1) / (rUpper - rLower);
      const std::int32_t i = std::clamp(static_cast<std::int32_t>(t), 0, n - 2);
      damage = aTable[i] + (t - static_cast<float>(i)) * (aTable[i + 1] - aTable[i]);
    }
    damage = std::clamp(damage, 0.0f, kDamageMax);
  }
  if (nSubType == 0) return damage;
  return damage > 0.0f ? std::min(kDamageMax / damage, rMaxLife) : rMaxLife;
}

THardening THardening::From(const TMPUMatD* pMat) {
  THardening h;
  if (!pMat) return h;
  h.rConst = static_cast<float>(pMat->m_rY0);
  h.rLower = static_cast<float>(pMat->m_rTableXMin);
  h.rUpper = static_cast<float>(pMat->m_rTableXMax);
  for (const double t : pMat->m_aTable) h.aTable.push_back(static_cast<float>(t));
  return h;
}

// Step h = (upper - lower) / (count - 2) over the table, i = trunc(x / h), kept inside the
// table; fewer than three values make a constant curve.
void THardening::Lookup(float x, float& value, float& slope) const {
  const auto n = static_cast<std::int32_t>(aTable.size());
  const float h = n >= 3 ? (rUpper - rLower) / static_cast<float>(n - 2) : 0.0f;
  if (!(h > 0.0f)) {
    value = n > 0 ? aTable[0] : rConst;
    slope = 0.0f;
    return;
  }
  const float fi = std::clamp(std::trunc(x / h), 0.0f, static_cast<float>(n - 2));
  const auto i = static_cast<std::int32_t>(fi);
  slope = (aTable[i + 1] - aTable[i]) / h;
  value = aTable[i] + (x - fi * h) * slope;
}

// The rows of the first nShapeNode nodes of elem; bAll false when one has none.
template <class T>
void GatherRows(const TKernelContext<T>& ctx, const std::int32_t* rows, std::int32_t elem,
                TCellRows& cell) {
  const std::int32_t n = ctx.nShapeNode;
  const std::span<const std::int32_t> nodes = ctx.pMesh->GetElemNodes(elem);
  cell.nElem = elem;
  cell.pRows = rows;
  cell.nNode = n;
  cell.bAll = static_cast<std::int32_t>(nodes.size()) >= n;
  for (std::int32_t j = 0; j < n && cell.bAll; ++j) {
    cell.aRow[j] = nodes[j] < 0 ? -1 : rows[nodes[j]];
    cell.bAll = cell.aRow[j] >= 0;
  }
}

template <class T>
bool InterpolateCore(const TKernelContext<T>& ctx, const TPostPartialD& part,
                     const std::int32_t* rows, std::int32_t elem, const T (&xi)[3],
                     std::int32_t first, std::int32_t m, T* out) {
  const std::int32_t n = ctx.nShapeNode;
  if (!rows || (n != N_HEXA8_NODE && n != N_HEXA20_NODE) || first < 0 || first + m > part.nCompCnt)
    return false;
  TCellRows own;
  TCellRows& cell = ctx.pCellRows ? *ctx.pCellRows : own;
  if (cell.nElem != elem || cell.pRows != rows || cell.nNode != n)
    GatherRows(ctx, rows, elem, cell);
  if (!cell.bAll) return false;
  const std::int32_t* r = cell.aRow;
  T u[kMaxNode];
  if (n == N_HEXA8_NODE) {
    for (std::int32_t c = 0; c < m; ++c) {
      const double* col = part.pComp[first + c];
      for (std::int32_t j = 0; j < N_HEXA8_NODE; ++j) u[j] = static_cast<T>(col[r[j]]);
      out[c] = ShapeFuncHexa8<T>::Interpolate(xi[0], xi[1], xi[2], u) + T(0);  // -0 to 0
    }
    return true;
  }
  T shape[N_HEXA20_NODE];
  ShapeFuncHexa20<T>::Eval(xi[0], xi[1], xi[2], shape);
  for (std::int32_t c = 0; c < m; ++c) {
    const double* col = part.pComp[first + c];
    for (std::int32_t j = 0; j < N_HEXA20_NODE; ++j) u[j] = shape[j] * static_cast<T>(col[r[j]]);
    out[c] = PairwiseSum(u) + T(0);
  }
  return true;
}

// The recovered polynomial of each corner node, evaluated at x and interpolated with the
// 8-node functions; component c has its coefficients in columns 10c to 10c + 9.
template <class T>
bool SPRCore(const TKernelContext<T>& ctx, const TPostPartialD& part, const std::int32_t* rows,
             std::int32_t elem, const T (&xi)[3], const zar::MVector<double, 3>& x, std::int32_t m,
             T* out) {
  const std::span<const std::int32_t> nodes = ctx.pMesh->GetElemNodes(elem);
  if (!rows || static_cast<std::int32_t>(nodes.size()) < N_HEXA8_NODE ||
      m * N_SPR_POLY > part.nCompCnt)
    return false;
  T mono[N_HEXA8_NODE][N_SPR_POLY];
  std::int32_t r[N_HEXA8_NODE];
  for (std::int32_t j = 0; j < N_HEXA8_NODE; ++j) {
    if (nodes[j] < 0 || rows[nodes[j]] < 0) return false;
    r[j] = rows[nodes[j]];
    const zar::MVector<double, 3> d = x - ctx.pMesh->GetNodePos(nodes[j]);
    const T dx = T(d[0]), dy = T(d[1]), dz = T(d[2]);
    const T row[N_SPR_POLY] = {1, dx, dy, dz, dx * dx, dy * dy, dz * dz, dx * dy, dy * dz, dz * dx};
    std::copy(row, row + N_SPR_POLY, mono[j]);
  }
  for (std::int32_t c = 0; c < m; ++c) {
    T v[N_HEXA8_NODE];
    for (std::int32_t j = 0; j < N_HEXA8_NODE; ++j) {
      v[j] = 0;
      for (std::int32_t k = 0; k < N_SPR_POLY; ++k)
        v[j] += static_cast<T>(part.pComp[c * N_SPR_POLY + k][r[j]]) * mono[j][k];
    }
    out[c] = ShapeFuncHexa8<T>::Interpolate(xi[0], xi[1], xi[2], v) + T(0);
  }
  return true;
}

namespace {

template <class T>
struct TKernels {
  const TKernelFlags f;
  const TKernelContext<T>* ctx;

  // Components [first, first + m) of the main (or pair) block at the sample point.
  bool Core(bool bPair, std::int32_t elem, const T (&xi)[3], const zar::MVector<double, 3>& x,
            std::int32_t first, std::int32_t m, T* out) const {
    const TPostPartialD& part = bPair ? ctx->pair : ctx->main;
    const std::int32_t* rows = bPair ? ctx->pRowPair : ctx->pRowMain;
    if (!f.bSPR) return InterpolateCore(*ctx, part, rows, elem, xi, first, m, out);
    // The recovered core gives components from 0 on; keep [first, first + m).
    T all[kMaxSPRComp];
    if (first < 0 || first + m > kMaxSPRComp ||
        !SPRCore(*ctx, part, rows, elem, xi, x, first + m, all))
      return false;
    std::copy(all + first, all + first + m, out);
    return true;
  }

  // Nonlinear pair: the stress tensor of the stress set, the effective plastic strain and the
  // back stress of the nonlinear set.
  void PairA(std::int32_t e, const T (&xi)[3], const zar::MVector<double, 3>& x, double* const* out,
             std::int32_t slot) const {
    const bool bMainNL = f.bNLVar;
    const std::int32_t strainCol = f.bSPR ? kNLStrainColSPR : kNLStrainCol;
    const std::int32_t backCol = f.bSPR ? kNLBackColSPR : kNLBackCol;
    T s[N_TENSOR], nl[kNLBackCol + N_TENSOR];
    if (!Core(bMainNL, e, xi, x, 0, N_TENSOR, s) ||
        !Core(!bMainNL, e, xi, x, 0, backCol + N_TENSOR, nl))
      return;
    const T* alpha = nl + backCol;
    if (!bMainNL) {
      out[0][slot] = TensorQuantity(f, s);
      return;
    }
    const T third = T(1.0f / 3.0f);
    const T ms = (s[0] + s[1] + s[2]) * third, ma = (alpha[0] + alpha[1] + alpha[2]) * third;
    T eta[N_TENSOR];
    for (int k = 0; k < N_TENSOR; ++k) eta[k] = (s[k] - alpha[k]) - (k < 3 ? ms - ma : T(0));
    const T norm = std::sqrt(eta[0] * eta[0] + eta[1] * eta[1] + eta[2] * eta[2] +
                             T(2) * (eta[3] * eta[3] + eta[4] * eta[4] + eta[5] * eta[5]));
    const T root23 = std::sqrt(T(2) / T(3));
    if (f.bEqStrs) {
      out[0][slot] = norm / root23;
    } else if (f.bEfPlstStrn) {
      // The strain at which the curve's yield surface holds the interpolated stress: one
      // Newton step from the interpolated strain when the stress lies outside.
      T eps = nl[strainCol];
      float h = 0.0f, dh = 0.0f;
      if (ctx->pHardening) ctx->pHardening->Lookup(static_cast<float>(eps), h, dh);
      const T excess = norm - root23 * T(h);
      if (excess > 0 && dh > 0.0f) eps += excess / (root23 * T(dh));
      out[0][slot] = std::max(eps, T(0));
    } else {
      out[0][slot] = alpha[std::clamp(BackIndex(), 0, N_TENSOR - 1)];
    }
  }
  std::int32_t BackIndex() const {
    return f.bSPR ? (f.nResType - kFirstBackStressSPR) / kSPRIdStep : f.nResType - kFirstBackStress;
  }

  // Complex pair: the real part in the main set, the imaginary part in the pair.
  void PairB(std::int32_t e, const T (&xi)[3], const zar::MVector<double, 3>& x, double* const* out,
             std::int32_t slot) const {
    const std::int32_t m = f.bTotal ? 3 : 1;
    T re[3], im[3];
    if (!Core(false, e, xi, x, f.nBeginComp, m, re) || !Core(true, e, xi, x, f.nBeginComp, m, im))
      return;
    if (!f.bTotal) {
      out[0][slot] = f.bPhase ? std::atan2(im[0], re[0]) * T(kRadToDeg) : std::hypot(re[0], im[0]);
      return;
    }
    T mag[3];
    for (int k = 0; k < 3; ++k) out[k + 1][slot] = mag[k] = std::hypot(re[k], im[k]);
    out[0][slot] = Norm3(mag);
  }
};

}  // namespace

template <class T>
TValueKernel<T> MakeValueKernel(const TKernelFlags& flags, const TKernelContext<T>* ctx) {
  using X = const zar::MVector<double, 3>&;
  const TKernels<T> k{flags, ctx};
  const std::int32_t b = flags.nBeginComp;
  auto pairA = [k](std::int32_t e, const T(&xi)[3], X x, double* const* o, std::int32_t s) {
    k.PairA(e, xi, x, o, s);
  };
  auto pairB = [k](std::int32_t e, const T(&xi)[3], X x, double* const* o, std::int32_t s) {
    k.PairB(e, xi, x, o, s);
  };
  auto tensor = [k](std::int32_t e, const T(&xi)[3], X x, double* const* o, std::int32_t s) {
    T t[N_TENSOR];
    if (k.Core(false, e, xi, x, 0, N_TENSOR, t)) o[0][s] = TensorQuantity(k.f, t);
  };
  auto plain = [k, b](std::int32_t e, const T(&xi)[3], X x, double* const* o, std::int32_t s) {
    T v;
    if (k.Core(false, e, xi, x, k.f.bSPR ? 0 : b, 1, &v)) o[0][s] = v;
  };
  if (flags.bPair && (flags.bNonlinear || flags.bComplex))
    return flags.bNonlinear ? TValueKernel<T>(pairA) : TValueKernel<T>(pairB);
  if (flags.bSPR) {
    if (!flags.bPair && (flags.bVonMises || flags.bPrincipal)) return tensor;
    if (flags.bHeatTotal)
      return [k](std::int32_t e, const T(&xi)[3], X x, double* const* o, std::int32_t s) {
        T v[3];
        if (k.Core(false, e, xi, x, 0, 3, v)) o[0][s] = Norm3(v);
      };
    return flags.bSPRComp ? TValueKernel<T>(plain) : TValueKernel<T>();
  }
  if (!flags.bPair && (flags.bVonMises || flags.bPrincipal)) return tensor;
  if (flags.bTotal)
    return [k, b](std::int32_t e, const T(&xi)[3], X x, double* const* o, std::int32_t s) {
      T v[3];
      if (!k.Core(false, e, xi, x, b, 3, v)) return;
      for (int c = 0; c < 3; ++c) o[c + 1][s] = v[c];
      o[0][s] = Norm3(v);
    };
  if (flags.bFatigueOut)
    return [k, b](std::int32_t e, const T(&xi)[3], X x, double* const* o, std::int32_t s) {
      T t[N_TENSOR];
      if (!k.Core(false, e, xi, x, b, N_TENSOR, t)) return;
      float tf[N_TENSOR];
      std::copy(t, t + N_TENSOR, tf);
      const TFatigueCurve* c = k.ctx->pFatigue;
      o[0][s] = c ? c->Evaluate(c->Equivalent(tf), k.f.nFatigueSubType) : 0.0;
      if (k.f.bFatigueStress)
        for (int i = 0; i < N_TENSOR; ++i) o[i + 1][s] = t[i];
    };
  if (flags.bFatigueIn)
    return [k](std::int32_t e, const T(&xi)[3], X x, double* const* o, std::int32_t s) {
      T t[N_TENSOR];
      if (k.Core(false, e, xi, x, 0, N_TENSOR, t))
        for (int c = 0; c < N_TENSOR; ++c) o[c][s] = t[c];
    };
  return plain;
}

template void PrincipalValues<float>(const float*, float*);
template void PrincipalValues<double>(const double*, double*);
template float VonMises<float>(const float*);
template double VonMises<double>(const double*);
template TValueKernel<float> MakeValueKernel(const TKernelFlags&, const TKernelContext<float>*);
template TValueKernel<double> MakeValueKernel(const TKernelFlags&, const TKernelContext<double>*);
template bool InterpolateCore(const TKernelContext<float>&, const TPostPartialD&,
                              const std::int32_t*, std::int32_t, const float (&)[3], std::int32_t,
                              std::int32_t, float*);
template bool InterpolateCore(const TKernelContext<double>&, const TPostPartialD&,
                              const std::int32_t*, std::int32_t, const double (&)[3], std::int32_t,
                              std::int32_t, double*);

}  // namespace pvk::ibm
