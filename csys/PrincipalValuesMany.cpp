#include "csys/PrincipalValuesMany.h"

#include <algorithm>
#include <cmath>

#include "csys/CSysMath.h"
#include "csys/OutputCSysConverter_ZAR.h"
#include "csys/SymEigen3.h"
#include "csys/SymEigen3Lanes.h"

namespace pvk::csys {

namespace {

using lanes::Abs;
using lanes::kLanes;
using lanes::Select;
using lanes::Splat;
using lanes::VD;
using lanes::VM;

// As in the scalar route.
constexpr double kEqualGap = 1e-8;
constexpr double kSignTol = 1e-8;
// Above this the scalar solver scales first.
constexpr double kLargest = 1e140;
// Fills lanes that have no tensor of their own.
constexpr TTensor6 kFiller = {1.0, 2.0, 3.0, 0.5, 0.25, 0.125};

// Tensors the lanes solve like the scalar route without its special cases: finite entries,
// none beyond the scaling bound, not all within the solver's zero.
bool IsLaneTensor(const TTensor6& s) {
  bool bAboveZero = false;
  for (const double x : s) {
    if (!(std::fabs(x) <= kLargest)) return false;
    bAboveZero = bAboveZero || std::fabs(x) > kEigenZero;
  }
  return bAboveZero;
}

void LoadMatrix(const TTensor6& s, int k, VD a[3][3]) {
  const double m[3][3] = {{s[0], s[3], s[5]}, {s[3], s[1], s[4]}, {s[5], s[4], s[2]}};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) lanes::SetLane(a[i][j], k, m[i][j]);
}

// The sum of magnitudes over nine, in the scalar route's order.
VD Scale(const VD a[3][3]) {
  VD scale = VD{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) scale += Abs(a[i][j]);
  return scale / 9.0;
}

VD Dot(const VD a[3], const VD b[3]) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

void Cross(const VD a[3], const VD b[3], VD out[3]) {
  out[0] = a[1] * b[2] - a[2] * b[1];
  out[1] = a[2] * b[0] - a[0] * b[2];
  out[2] = a[0] * b[1] - a[1] * b[0];
}

void NormalizeIfLong(VD v[3]) {
  const VD len = lanes::Sqrt(Dot(v, v));
  const VM bShort = len < kTinyLength;
  for (int i = 0; i < 3; ++i) v[i] = Select(bShort, v[i], v[i] / len);
}

// The pair perpendicular to the distinct direction, as the scalar route builds it.
void CompleteBasis(VD v[3][3], int uCol, int firstCol, int secondCol) {
  const VD u[3] = {v[0][uCol], v[1][uCol], v[2][uCol]};
  const VM bNearX = Abs(u[0]) > 0.95;
  const VD h[3] = {Select(bNearX, VD{}, Splat(1.0)), Select(bNearX, Splat(1.0), VD{}), VD{}};
  VD w[3];
  Cross(u, h, w);
  NormalizeIfLong(w);
  VD p[3];
  Cross(w, u, p);
  NormalizeIfLong(p);
  for (int i = 0; i < 3; ++i) {
    v[i][firstCol] = p[i];
    v[i][secondCol] = w[i];
  }
}

// In the lanes of m, the columns of the completion around uCol.
void CompleteBasisWhere(VM m, VD v[3][3], int uCol, int firstCol, int secondCol) {
  if (!lanes::Any(m)) return;
  VD t[3][3];
  std::copy(&v[0][0], &v[0][0] + 9, &t[0][0]);
  CompleteBasis(t, uCol, firstCol, secondCol);
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) v[i][j] = Select(m, t[i][j], v[i][j]);
}

// Equal values have no unique directions: the scalar route's reproducible choice.
void SettleDegenerate(VD v[3][3], const VD e[3], VD scale) {
  const VM bTiny = scale <= kEigenZero;
  const VM bTop = Abs(e[2] - e[1]) / scale < kEqualGap;
  const VM bBottom = Abs(e[1] - e[0]) / scale < kEqualGap;
  CompleteBasisWhere(~bTiny & bBottom & ~bTop, v, 2, 0, 1);
  CompleteBasisWhere(~bTiny & bTop & ~bBottom, v, 0, 1, 2);
  // Columns (z, y, x), so that the largest value reads along x.
  const VM bAxes = bTiny | (bTop & bBottom);
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) v[i][j] = Select(bAxes, Splat(i + j == 2 ? 1.0 : 0.0), v[i][j]);
}

VM NeedsFlip(const VD x[3]) {
  const VM below0 = x[0]<-kSignTol, above0 = x[0]> kSignTol;
  const VM below1 = x[1]<-kSignTol, above1 = x[1]> kSignTol;
  const VM below2 = x[2] < -kSignTol;
  return below0 | (~above0 & (below1 | (~above1 & below2)));
}

// Solves up to kLanes tensors from s[first]; lanes the scalar route must take are marked.
void SolveLanes(std::span<const TTensor6> s, std::size_t first, std::span<TPrincipal3D> out,
                bool bScalar[kLanes]) {
  lanes::TEigenLanes m;
  for (int k = 0; k < kLanes; ++k) {
    const std::size_t i = first + static_cast<std::size_t>(k);
    const bool bOwn = i < s.size();
    bScalar[k] = bOwn && !IsLaneTensor(s[i]);
    LoadMatrix(bOwn && !bScalar[k] ? s[i] : kFiller, k, m.a);
  }
  const VD scale = Scale(m.a);
  const VM failed = lanes::SolveSymEigen3Lanes(m);
  SettleDegenerate(m.a, m.d, scale);
  VD dirs[3][3];
  for (int r = 0; r < 3; ++r) {
    const int col = 2 - r;
    VD x[3] = {m.a[0][col], m.a[1][col], m.a[2][col]};
    const VM flip = NeedsFlip(x);
    for (int j = 0; j < 3; ++j) dirs[r][j] = Select(flip, -x[j], x[j]);
  }
  for (int k = 0; k < kLanes && first + static_cast<std::size_t>(k) < s.size(); ++k) {
    bScalar[k] = bScalar[k] || lanes::Lane(failed, k);
    TPrincipal3D& p = out[first + static_cast<std::size_t>(k)];
    p.nOk = 1;
    for (int r = 0; r < 3; ++r) {
      p.values[r] = lanes::Lane(m.d[2 - r], k);
      for (int j = 0; j < 3; ++j) p.dirs[r][j] = lanes::Lane(dirs[r][j], k);
    }
  }
}

}  // namespace

std::size_t CalcPrincipalStress3DMany(std::span<const TTensor6> s, std::span<TPrincipal3D> out) {
  const std::size_t n = std::min(s.size(), out.size());
  s = s.first(n);
  std::size_t nFailed = 0;
  for (std::size_t first = 0; first < n; first += kLanes) {
    bool bScalar[kLanes];
    SolveLanes(s, first, out, bScalar);
    for (std::size_t i = first; i < std::min(n, first + kLanes); ++i) {
      TPrincipal3D& p = out[i];
      if (bScalar[i - first])
        p.nOk = COutputCSysConverter_ZAR::calcPrincipalStress3D(s[i].data(), p.values, p.dirs);
      nFailed += p.nOk ? 0 : 1;
    }
  }
  return nFailed;
}

}  // namespace pvk::csys
