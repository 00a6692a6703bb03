#include "csys/SymEigen3.h"

#include <cmath>
#include <utility>

namespace pvk::csys {

namespace {

constexpr int kN = 3;
// An off-diagonal element counts as zero against this share of the largest row sum.
constexpr double kOffDiagTol = 1e-10;
// QL settles in two or three sweeps per value; the cap only stops non-finite data.
constexpr int kMaxSweeps = 60;
// Larger matrices are brought near 1 by a power of two first: products of two entries would
// overflow otherwise, even with hypot.
constexpr double kLargest = 1e140;

// One Householder step that clears row i left of its sub-diagonal (d holds row i).
void ReduceRow(double v[3][3], double d[3], double e[3], int i) {
  double scale = 0.0;
  double h = 0.0;
  for (int k = 0; k < i; ++k) scale += std::fabs(d[k]);
  if (scale <= kEigenZero) {
    e[i] = d[i - 1];
    for (int j = 0; j < i; ++j) {
      d[j] = v[i - 1][j];
      v[i][j] = 0.0;
      v[j][i] = 0.0;
    }
    d[i] = h;
    return;
  }
  for (int k = 0; k < i; ++k) {
    d[k] /= scale;
    h += d[k] * d[k];
  }
  double f = d[i - 1];
  double g = f > 0 ? -std::sqrt(h) : std::sqrt(h);
  e[i] = scale * g;
  h -= f * g;
  d[i - 1] = f - g;
  for (int j = 0; j < i; ++j) e[j] = 0.0;
  for (int j = 0; j < i; ++j) {
    f = d[j];
    v[j][i] = f;
    g = e[j] + v[j][j] * f;
    for (int k = j + 1; k <= i - 1; ++k) {
      g += v[k][j] * d[k];
      e[k] += v[k][j] * f;
    }
    e[j] = g;
  }
  f = 0.0;
  for (int j = 0; j < i; ++j) {
    e[j] /= h;
    f += e[j] * d[j];
  }
  const double hh = f / (h + h);
  for (int j = 0; j < i; ++j) e[j] -= hh * d[j];
  for (int j = 0; j < i; ++j) {
    f = d[j];
    g = e[j];
    for (int k = j; k <= i - 1; ++k) v[k][j] -= (f * e[k] + g * d[k]);
    d[j] = v[i - 1][j];
    v[i][j] = 0.0;
  }
  d[i] = h;
}

// Builds the orthogonal matrix of the reflections in v and leaves the diagonal in d.
void AccumulateReflections(double v[3][3], double d[3], double e[3]) {
  for (int i = 0; i < kN - 1; ++i) {
    v[kN - 1][i] = v[i][i];
    v[i][i] = 1.0;
    const double h = d[i + 1];
    if (h != 0.0) {
      for (int k = 0; k <= i; ++k) d[k] = v[k][i + 1] / h;
      for (int j = 0; j <= i; ++j) {
        double g = 0.0;
        for (int k = 0; k <= i; ++k) g += v[k][i + 1] * v[k][j];
        for (int k = 0; k <= i; ++k) v[k][j] -= g * d[k];
      }
    }
    for (int k = 0; k <= i; ++k) v[k][i + 1] = 0.0;
  }
  for (int j = 0; j < kN; ++j) {
    d[j] = v[kN - 1][j];
    v[kN - 1][j] = 0.0;
  }
  v[kN - 1][kN - 1] = 1.0;
  e[0] = 0.0;
}

void Tridiagonalize(double v[3][3], double d[3], double e[3]) {
  for (int j = 0; j < kN; ++j) d[j] = v[kN - 1][j];
  for (int i = kN - 1; i > 0; --i) ReduceRow(v, d, e, i);
  AccumulateReflections(v, d, e);
}

// sqrt of the sum of squares is several times faster than hypot, and safe for the sizes that
// SolveSymEigen3 hands on (every matrix entry at most kLargest).
template <bool kFast>
double Hypot(double x, double y) {
  if constexpr (kFast)
    return std::sqrt(x * x + y * y);
  else
    return std::hypot(x, y);
}

// One implicit-shift QL sweep on the block l..m.
template <bool kFast>
void QLSweep(double v[3][3], double d[3], double e[3], int l, int m, double& shift) {
  double g = d[l];
  double p = (d[l + 1] - g) / (2.0 * e[l]);
  double r = Hypot<kFast>(p, 1.0);
  if (p < 0) r = -r;
  d[l] = e[l] / (p + r);
  d[l + 1] = e[l] * (p + r);
  const double dl1 = d[l + 1];
  double h = g - d[l];
  for (int i = l + 2; i < kN; ++i) d[i] -= h;
  shift += h;
  p = d[m];
  double c = 1.0, c2 = 1.0, c3 = 1.0, s = 0.0, s2 = 0.0;
  const double el1 = e[l + 1];
  for (int i = m - 1; i >= l; --i) {
    c3 = c2;
    c2 = c;
    s2 = s;
    g = c * e[i];
    h = c * p;
    r = Hypot<kFast>(p, e[i]);
    e[i + 1] = s * r;
    s = e[i] / r;
    c = p / r;
    p = c * d[i] - s * g;
    d[i + 1] = h + s * (c * g + s * d[i]);
    for (int k = 0; k < kN; ++k) {
      h = v[k][i + 1];
      v[k][i + 1] = s * v[k][i] + c * h;
      v[k][i] = c * v[k][i] - s * h;
    }
  }
  p = -s * s2 * c3 * el1 * e[l] / dl1;
  e[l] = s * p;
  d[l] = c * p;
}

// The first index from l whose off-diagonal element counts as zero; the last one always does.
int SmallOffDiag(const double e[3], int l, double tst) {
  int m = l;
  while (m < kN - 1 && !(std::fabs(e[m]) <= kOffDiagTol * tst)) ++m;
  return m;
}

template <bool kFast>
bool Diagonalize(double v[3][3], double d[3], double e[3]) {
  for (int i = 1; i < kN; ++i) e[i - 1] = e[i];
  e[kN - 1] = 0.0;
  double shift = 0.0;
  double tst = 0.0;
  for (int l = 0; l < kN; ++l) {
    const double rowSum = std::fabs(d[l]) + std::fabs(e[l]);
    if (rowSum > tst) tst = rowSum;
    const int m = SmallOffDiag(e, l, tst);
    for (int sweep = 0; m > l && !(std::fabs(e[l]) <= kOffDiagTol * tst); ++sweep) {
      if (sweep == kMaxSweeps) return false;
      QLSweep<kFast>(v, d, e, l, m, shift);
    }
    d[l] += shift;
    e[l] = 0.0;
  }
  return true;
}

// Ascending order: the smallest is swapped to the front first, then the other two.
void SortAscending(double v[3][3], double d[3]) {
  for (int i = 0; i < kN - 1; ++i) {
    int k = i;
    for (int j = i + 1; j < kN; ++j)
      if (d[j] < d[k]) k = j;
    if (k == i) continue;
    std::swap(d[k], d[i]);
    for (int j = 0; j < kN; ++j) std::swap(v[j][i], v[j][k]);
  }
}

bool AllFinite(const double* x, int n) {
  for (int i = 0; i < n; ++i)
    if (!std::isfinite(x[i])) return false;
  return true;
}

bool AllWithin(const double a[3][3], double limit) {
  for (int i = 0; i < kN; ++i)
    for (int j = 0; j < kN; ++j)
      if (!(std::fabs(a[i][j]) <= limit)) return false;
  return true;
}

template <bool kFast>
int Solve(double a[3][3], double d[3]) {
  if (!AllFinite(&a[0][0], kN * kN)) return 0;
  if (AllWithin(a, kEigenZero)) {
    for (int i = 0; i < kN; ++i) {
      d[i] = 0.0;
      for (int j = 0; j < kN; ++j) a[i][j] = i == j ? 1.0 : 0.0;
    }
    return 1;
  }
  double e[kN];
  Tridiagonalize(a, d, e);
  // Entries near the largest double can overflow on the way.
  if (!Diagonalize<kFast>(a, d, e) || !AllFinite(d, kN) || !AllFinite(&a[0][0], kN * kN)) return 0;
  SortAscending(a, d);
  return 1;
}

}  // namespace

int SolveSymEigen3(double a[3][3], double d[3]) {
  double size = 0.0;
  for (int i = 0; i < kN; ++i)
    for (int j = 0; j < kN; ++j)
      if (std::fabs(a[i][j]) > size) size = std::fabs(a[i][j]);
  if (!(size > kLargest) || !std::isfinite(size)) return Solve<true>(a, d);
  // Scaling by a power of two is exact, so the solution is that of the matrix itself.
  const int exponent = std::ilogb(size);
  for (int i = 0; i < kN; ++i)
    for (int j = 0; j < kN; ++j) a[i][j] = std::ldexp(a[i][j], -exponent);
  const int nOk = Solve<true>(a, d);
  for (int i = 0; i < kN; ++i) d[i] = std::ldexp(d[i], exponent);
  return nOk;
}

int SolveSymEigen3Reference(double a[3][3], double d[3]) { return Solve<false>(a, d); }

}  // namespace pvk::csys
