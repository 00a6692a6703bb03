#include "ValueCombine.h"

#include <cmath>
#include <limits>

#include "csys/OutputCSysConverter_ZAR.h"
#include "vresult/VResultAPI.h"

namespace pvk_values {

namespace {

using enum ECombination;

constexpr TCombination kCombinations[] = {
    {7107, VON_MISES, true},    {7108, PRINCIPAL_A, true},  {7109, PRINCIPAL_B, true},
    {7110, PRINCIPAL_C, true},  {7207, VON_MISES, false},   {7208, PRINCIPAL_A, false},
    {7209, PRINCIPAL_B, false}, {7210, PRINCIPAL_C, false},
};

double VonMises(const TTensor& s, bool strain) {
  double fNormal = 0.0, fShear = 0.0;
  if (strain)
    CVResultAPI::GetSolidStrnFactor_VonMises(fNormal, fShear);
  else
    CVResultAPI::GetSolidStrsFactor_VonMises(fNormal, fShear);
  const double dxy = s[0] - s[1], dyz = s[1] - s[2], dzx = s[2] - s[0];
  return std::sqrt(fNormal * (dxy * dxy + dyz * dyz + dzx * dzx) +
                   fShear * (s[3] * s[3] + s[4] * s[4] + s[5] * s[5]));
}

// Values largest first: A, B, C.
double Principal(TTensor s, bool strain, int index) {
  // The tensor of a strain holds half the engineering shear.
  if (strain)
    for (int k = 3; k < 6; ++k) s[k] *= 0.5;
  double values[3] = {}, dirs[3][3] = {};
  if (!COutputCSysConverter_ZAR::calcPrincipalStress3D(s.data(), values, dirs))
    return std::numeric_limits<double>::quiet_NaN();  // not a zero that reads as a value
  return values[index];
}

}  // namespace

const TCombination* FindCombination(std::int32_t resultId) {
  for (const TCombination& c : kCombinations)
    if (c.id == resultId) return &c;
  return nullptr;
}

double Combine(const TCombination& combination, const TTensor& s) {
  for (const double v : s)
    if (!std::isfinite(v)) return std::numeric_limits<double>::quiet_NaN();
  switch (combination.kind) {
    case VON_MISES:
      return VonMises(s, combination.strain);
    case PRINCIPAL_A:
      return Principal(s, combination.strain, 0);
    case PRINCIPAL_B:
      return Principal(s, combination.strain, 1);
    case PRINCIPAL_C:
      return Principal(s, combination.strain, 2);
  }
  return std::numeric_limits<double>::quiet_NaN();
}

}  // namespace pvk_values
