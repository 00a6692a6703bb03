#include "ValueCombine.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "csys/OutputCSysConverter_ZAR.h"
#include "csys/PrincipalValuesMany.h"
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

// Tensors handed to the principal values at once: small enough to stay in cache.
constexpr std::size_t kChunk = 1024;

// The tensor of a strain holds half the engineering shear.
void HalveShears(TTensor& s) {
  for (int k = 3; k < 6; ++k) s[k] *= 0.5;
}

int PrincipalIndex(ECombination kind) {
  return kind == PRINCIPAL_A ? 0 : kind == PRINCIPAL_B ? 1 : 2;
}

// Values largest first: A, B, C.
double Principal(TTensor s, bool strain, int index) {
  if (strain) HalveShears(s);
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

namespace {

// The combined values of rows 0 to nRows - 1 and, unless null, the direction columns of
// principal values, sized to the rows.
using TDirections = std::array<std::vector<double>, 3>;
std::vector<double> Combined(const TCombination& combination, const TTensorColumns& columns,
                             std::size_t nRows, TDirections* pDirections) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  std::vector<double> out(nRows);
  std::vector<TTensor> s(kChunk);
  std::vector<pvk::csys::TPrincipal3D> p(kChunk);
  const bool bPrincipal = combination.kind != VON_MISES;
  for (std::size_t first = 0; first < nRows; first += kChunk) {
    const std::size_t n = std::min(kChunk, nRows - first);
    for (std::size_t i = 0; i < n; ++i) {
      for (std::size_t c = 0; c < columns.size(); ++c)
        s[i][c] = first + i < columns[c].size() ? columns[c][first + i] : kNaN;
      if (!bPrincipal) out[first + i] = Combine(combination, s[i]);
      if (combination.strain) HalveShears(s[i]);
    }
    if (!bPrincipal) continue;
    // A failure (a component not finite) gives NaN, as Combine does.
    pvk::csys::CalcPrincipalStress3DMany(std::span(s).first(n), p);
    const int index = PrincipalIndex(combination.kind);
    for (std::size_t i = 0; i < n; ++i) {
      out[first + i] = p[i].nOk ? p[i].values[index] : kNaN;
      if (!pDirections) continue;
      for (std::size_t a = 0; a < 3; ++a)
        (*pDirections)[a][first + i] = p[i].nOk ? p[i].dirs[index][a] : kNaN;
    }
  }
  return out;
}

}  // namespace

std::vector<double> CombineRows(const TCombination& combination, const TTensorColumns& columns,
                                std::size_t nRows) {
  return Combined(combination, columns, nRows, nullptr);
}

TPrincipalRows PrincipalRows(const TCombination& combination, const TTensorColumns& columns,
                             std::size_t nRows) {
  TPrincipalRows rows;
  for (std::vector<double>& column : rows.directions) column.resize(nRows);
  rows.values = Combined(combination, columns, nRows, &rows.directions);
  return rows;
}

}  // namespace pvk_values
