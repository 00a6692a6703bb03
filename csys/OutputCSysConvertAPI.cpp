#include "csys/OutputCSysConvertAPI.h"

#include "csys/CSysMath.h"

using namespace pvk::csys;

namespace {

void TensorMatrix(const double* c, double t[3][3]) {
  t[0][0] = c[0];
  t[1][1] = c[1];
  t[2][2] = c[2];
  t[0][1] = t[1][0] = c[3];
  t[1][2] = t[2][1] = c[4];
  t[0][2] = t[2][0] = c[5];
}

// T' = R T R^T, R = m (forward) or m^T; only the six distinct entries are formed.
void Transform6(double* c, const double m[3][3], bool bTransposed, int nEngineering) {
  const double shear = nEngineering ? 0.5 : 1.0;
  double t[3][3];
  const double in[6] = {c[0], c[1], c[2], c[3] * shear, c[4] * shear, c[5] * shear};
  TensorMatrix(in, t);
  double r[3][3];
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) r[i][j] = bTransposed ? m[j][i] : m[i][j];
  double rt[3][3];  // R T
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      rt[i][j] = r[i][0] * t[0][j] + r[i][1] * t[1][j] + r[i][2] * t[2][j];
  const auto entry = [&](int i, int j) {
    return rt[i][0] * r[j][0] + rt[i][1] * r[j][1] + rt[i][2] * r[j][2];
  };
  const double back = nEngineering ? 2.0 : 1.0;
  c[0] = entry(0, 0);
  c[1] = entry(1, 1);
  c[2] = entry(2, 2);
  c[3] = entry(0, 1) * back;
  c[4] = entry(1, 2) * back;
  c[5] = entry(0, 2) * back;
}

// The angle of the projected direction against b's axes as a cosine and sine. False when the
// direction has no part in b's plane (for one along a's normal, for instance): the rotation
// would then shrink every value towards zero instead of turning it.
bool ProjectedAngle(const double a[3][3], const double b[3][3], const double d[3], double& cs,
                    double& s) {
  const double dn = Dot3(d, a[2]);
  double t[3] = {d[0] - dn * a[2][0], d[1] - dn * a[2][1], d[2] - dn * a[2][2]};
  NormalizeIfLong(t);
  cs = Dot3(t, b[0]);
  const double sn = Dot3(t, b[1]);
  if (!(std::hypot(cs, sn) >= kTinyLength)) return false;
  s = Dot3(a[2], b[2]) >= 0.0 ? sn : -sn;
  return true;
}

}  // namespace

int COutputCSysConvertAPI::Gcs2UcsComp3(double v[3], const double m[3][3]) {
  const double x = v[0], y = v[1], z = v[2];
  for (int i = 0; i < 3; ++i) v[i] = m[i][0] * x + m[i][1] * y + m[i][2] * z;
  return 1;
}

int COutputCSysConvertAPI::Ucs2GcsComp3(double v[3], const double m[3][3]) {
  const double x = v[0], y = v[1], z = v[2];
  for (int j = 0; j < 3; ++j) v[j] = x * m[0][j] + y * m[1][j] + z * m[2][j];
  return 1;
}

int COutputCSysConvertAPI::Gcs2UcsComp6(int, double* c, const double m[3][3], int nEngineering) {
  Transform6(c, m, false, nEngineering);
  return 1;
}

int COutputCSysConvertAPI::Ucs2GcsComp6(int, double* c, const double m[3][3], int nEngineering) {
  Transform6(c, m, true, nEngineering);
  return 1;
}

int COutputCSysConvertAPI::Ucs2UcsComp8(int, double c[8], const double from[3][3],
                                        const double to[3][3]) {
  const double a = Dot3(from[0], to[0]);
  const double b = Dot3(from[1], to[0]);
  const double p = Dot3(from[0], to[1]);
  const double q = Dot3(from[1], to[1]);
  RotatePlaneTensor(c, a, b, p, q);
  RotatePlaneTensor(c + 3, a, b, p, q);
  RotatePlaneVector(c + 6, a, b, p, q);
  return 1;
}

int COutputCSysConvertAPI::Ucs2UcsCompShellProjectional(int n, double c[], const double a[3][3],
                                                        const double b[3][3], const double d[3]) {
  double cs = 0.0, s = 0.0;
  if ((n != 6 && n != 8) || !ProjectedAngle(a, b, d, cs, s)) return 0;
  RotatePlaneTensor(c, cs, s, -s, cs);
  if (n == 8) {
    RotatePlaneTensor(c + 3, cs, s, -s, cs);
    RotatePlaneVector(c + 6, cs, s, -s, cs);
  }
  return 1;
}

int COutputCSysConvertAPI::GetOutputCSys(TGetOutputCSysParam*, double m[3][3]) {
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) m[i][j] = i == j ? 1.0 : 0.0;
  return 1;
}

int COutputCSysConvertAPI::SetOutputCsysInfoByOpt(IPreDBLinker*, TOutCSysInfo*) { return 1; }
