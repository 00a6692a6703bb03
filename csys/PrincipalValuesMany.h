#pragma once
// Principal values of many tensors at once, bit for bit those of
// COutputCSysConverter_ZAR::calcPrincipalStress3D for each.
#include <array>
#include <span>

namespace pvk::csys {

// xx, yy, zz, xy, yz, zx
using TTensor6 = std::array<double, 6>;

// What calcPrincipalStress3D returns and writes for one tensor.
struct TPrincipal3D {
  int nOk = 0;
  double values[3] = {};
  double dirs[3][3] = {};
};

// out[i] of s[i] for the first min(s.size(), out.size()) tensors. Returns how many failed.
std::size_t CalcPrincipalStress3DMany(std::span<const TTensor6> s, std::span<TPrincipal3D> out);

}  // namespace pvk::csys
