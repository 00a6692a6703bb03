#include "ValueColumns.h"

#include <fmt/format.h>

#include <array>
#include <initializer_list>

#include "datastore/AmtType.h"

namespace pvk_values {

namespace {

using Names = std::vector<std::string>;

Names Join(std::initializer_list<Names> parts) {
  Names names;
  for (const Names& part : parts) names.insert(names.end(), part.begin(), part.end());
  return names;
}

// A principal value with its direction cosines; the groups after the first are numbered.
Names Principal(int groups) {
  Names names = {"value", "l", "m", "n"};
  for (int g = 2; g <= groups; ++g)
    for (const char* name : {"value", "l", "m", "n"}) names.push_back(fmt::format("{}{}", name, g));
  return names;
}

// The surface patch recovery reads ten consecutive components per quantity.
constexpr int kSPRGroupSize = 10;

Names SPR(const Names& quantities) {
  Names names;
  for (const std::string& q : quantities)
    for (int k = 0; k < kSPRGroupSize; ++k) names.push_back(fmt::format("{}.{}", q, k));
  return names;
}

const Names kTensor = {"xx", "yy", "zz", "xy", "yz", "zx"};

struct TColumnNames {
  std::int32_t amt;
  Names names;
};

// Keyed by amount type and column count: a template may deliver other columns than the
// type's default.
const std::array<TColumnNames, 14>& Table() {
  static const std::array<TColumnNames, 14> table = {{
      {pvk::AMT_SCALAR, {"value"}},
      // A reaction: a scalar result that carries its three components.
      {pvk::AMT_SCALAR, {"value", "x", "y", "z"}},
      {pvk::AMT_VECTOR, {"value", "x", "y", "z"}},
      {pvk::AMT_PRINCIPAL_2D, Principal(2)},
      {pvk::AMT_PRINCIPAL_3D, Principal(3)},
      // The fatigue value, then the stress tensor it was found from.
      {pvk::AMT_NODAL_FATIGUE, Join({{"value"}, kTensor})},
      {pvk::AMT_TENSOR, kTensor},
      {pvk::AMT_NONLINEAR,
       {"equivalent", "plastic_strain", "back_xx", "back_yy", "back_zz", "back_xy", "back_yz",
        "back_zx"}},
      {pvk::AMT_TENSOR6, kTensor},
      // Membrane forces, bending moments, transverse shears.
      {pvk::AMT_FORCE_SET8, {"fxx", "fyy", "fxy", "mxx", "myy", "mxy", "qxz", "qyz"}},
      {pvk::AMT_SPR1, SPR({"v"})},
      {pvk::AMT_SPR3, SPR({"x", "y", "z"})},
      {pvk::AMT_SPR6, SPR(kTensor)},
      {pvk::AMT_SPR7,
       SPR({"plastic_strain", "back_xx", "back_yy", "back_zz", "back_xy", "back_yz", "back_zx"})},
  }};
  return table;
}

}  // namespace

std::vector<std::string> ColumnNames(std::int32_t amt, std::int32_t count) {
  for (const TColumnNames& row : Table())
    if (row.amt == amt && static_cast<std::int32_t>(row.names.size()) == count) return row.names;
  Names names;
  for (std::int32_t c = 0; c < count; ++c) names.push_back(fmt::format("c{}", c));
  return names;
}

}  // namespace pvk_values
