#include "csys/PrincipalValues.h"

#include <cmath>
#include <numbers>

#include "csys/CSysMath.h"
#include "csys/OutputCSysConverter_ZAR.h"
#include "csys/SymEigen3.h"

using namespace pvk::csys;

namespace {

// Relative gap below which two principal values count as equal.
constexpr double kEqualGap = 1e-8;
// Direction components within this count as zero for the sign rule.
constexpr double kSignTol = 1e-8;
// The plane-state angle is undefined below this (single-precision 1e-12, as stored).
constexpr double kAngleTiny = static_cast<double>(1e-12f);

void SetColumn(double v[3][3], int col, const double x[3]) {
  for (int i = 0; i < 3; ++i) v[i][col] = x[i];
}

// Columns (0, 1, 2) = z, y, x, so that the largest value reads along x.
void AxesColumns(double v[3][3]) {
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) v[i][j] = i + j == 2 ? 1.0 : 0.0;
}

// A right-handed pair (first, second) perpendicular to the distinct direction in column
// uCol, written to columns firstCol and secondCol.
void CompleteBasis(double v[3][3], int uCol, int firstCol, int secondCol) {
  const double u[3] = {v[0][uCol], v[1][uCol], v[2][uCol]};
  const double h[3] = {std::fabs(u[0]) > 0.95 ? 0.0 : 1.0, std::fabs(u[0]) > 0.95 ? 1.0 : 0.0, 0.0};
  double w[3];
  Cross3(u, h, w);
  NormalizeIfLong(w);
  double p[3];
  Cross3(w, u, p);
  NormalizeIfLong(p);
  SetColumn(v, firstCol, p);
  SetColumn(v, secondCol, w);
}

// Equal values have no unique directions; fix a reproducible choice.
void SettleDegenerate(double v[3][3], const double e[3], double scale) {
  if (scale <= kEigenZero) return AxesColumns(v);
  const bool bTop = std::fabs(e[2] - e[1]) / scale < kEqualGap;
  const bool bBottom = std::fabs(e[1] - e[0]) / scale < kEqualGap;
  if (bTop && bBottom) return AxesColumns(v);
  if (bBottom) return CompleteBasis(v, 2, 0, 1);
  if (bTop) CompleteBasis(v, 0, 1, 2);
}

bool NeedsFlip(const double x[3]) {
  if (x[0] < -kSignTol) return true;
  if (x[0] > kSignTol) return false;
  if (x[1] < -kSignTol) return true;
  if (x[1] > kSignTol) return false;
  return x[2] < -kSignTol;
}

bool AllFinite(const double* x, int n) {
  for (int i = 0; i < n; ++i)
    if (!std::isfinite(x[i])) return false;
  return true;
}

}  // namespace

namespace pvk::csys {

int PrincipalValues(double a[3][3], double values[3], double dirs[3][3], EigenSolver solve) {
  double scale = 0.0;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) scale += std::fabs(a[i][j]);
  scale /= 9.0;
  double e[3];
  if (!solve(a, e)) return 0;
  values[0] = e[2];
  values[1] = e[1];
  values[2] = e[0];
  SettleDegenerate(a, e, scale);
  for (int k = 0; k < 3; ++k) {
    const int col = 2 - k;
    double x[3] = {a[0][col], a[1][col], a[2][col]};
    if (NeedsFlip(x))
      for (double& xi : x) xi = -xi;
    for (int i = 0; i < 3; ++i) dirs[k][i] = x[i];
  }
  return 1;
}

}  // namespace pvk::csys

int COutputCSysConverter_ZAR::Compute_Principal_Values(double a[3][3], double values[3],
                                                       double dirs[3][3]) {
  return PrincipalValues(a, values, dirs, SolveSymEigen3);
}

int COutputCSysConverter_ZAR::calcPrincipalStress3D(const double* s, double* values,
                                                    double dirs[3][3]) {
  for (int i = 0; i < 3; ++i) {
    values[i] = 0.0;
    for (int j = 0; j < 3; ++j) dirs[i][j] = 0.0;
  }
  double a[3][3] = {{s[0], s[3], s[5]}, {s[3], s[1], s[4]}, {s[5], s[4], s[2]}};
  if (Compute_Principal_Values(a, values, dirs)) return 1;
  for (int i = 0; i < 3; ++i) {
    values[i] = 0.0;
    for (int j = 0; j < 3; ++j) dirs[i][j] = 0.0;
  }
  return 0;
}

int COutputCSysConverter_ZAR::calcPrincipalStress2D(const double s[3], double out[3]) {
  out[0] = out[1] = out[2] = 0.0;
  if (!AllFinite(s, 3)) return 0;
  const double xx = s[0], yy = s[1], xy = s[2];
  if (xx == 0.0 && yy == 0.0 && xy == 0.0) return 1;
  const double mean = (xx + yy) / 2.0;
  const double h = (xx - yy) / 2.0;
  const double r = std::hypot(h, xy);  // no overflow of the squares for huge values
  out[0] = mean + r;
  out[1] = mean - r;
  const bool bNoAngle = std::fabs(h) <= kAngleTiny && std::fabs(xy) <= kAngleTiny;
  out[2] = bNoAngle ? 0.0 : std::atan2(xy, h) * 90.0 / std::numbers::pi;
  return 1;
}
