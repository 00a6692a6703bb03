#pragma once
// Conversions of vectors, tensors and shell resultants between coordinate systems. A system
// is a row-major 3x3 matrix whose rows are its unit axes in global coordinates; a tensor is
// (xx, yy, zz, xy, yz, zx). Every function returns 1 on success.
#include "csys/OutputCSysTypes.h"
#include "qve_pvk_export.h"

class IPreDBLinker;

class PVK_API COutputCSysConvertAPI {
public:
  // Global components to components along the rows of m: v' = m v.
  static int Gcs2UcsComp3(double v[3], const double m[3][3]);
  // Components along the rows of m to global ones: v' = m^T v.
  static int Ucs2GcsComp3(double v[3], const double m[3][3]);
  // T' = M T M^T. With nEngineering set the shears are engineering values (twice the tensor
  // shears) on input and output. The first argument is not read.
  static int Gcs2UcsComp6(int, double* c, const double m[3][3], int nEngineering);
  // T' = M^T T M, flags as Gcs2UcsComp6.
  static int Ucs2GcsComp6(int, double* c, const double m[3][3], int nEngineering);
  // Shell resultants (xx, yy, xy, xx, yy, xy, x, y) from the in-plane axes of `from` to those
  // of `to`. The first argument is not read.
  static int Ucs2UcsComp8(int, double c[8], const double from[3][3], const double to[3][3]);
  // Turns the in-plane triples (and, for n = 8, the transverse pair) by the angle between the
  // direction d, projected on the plane of a, and the axes of b. 0, values unchanged, for n
  // other than 6 or 8 and for a direction that has no part in the plane.
  static int Ucs2UcsCompShellProjectional(int n, double c[], const double a[3][3],
                                          const double b[3][3], const double d[3]);
  // The output system's matrix: the identity for every kind.
  static int GetOutputCSys(TGetOutputCSysParam* pParam, double m[3][3]);
  // Kept for the host's call; there is nothing to fill in.
  static int SetOutputCsysInfoByOpt(IPreDBLinker* pLinker, TOutCSysInfo* pInfo);
};
