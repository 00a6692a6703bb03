#pragma once
// Results whose value the display combines from the six stored tensor components: von Mises
// and the principal values of nodal stress and strain.
#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace pvk_values {

enum class ECombination { VON_MISES, PRINCIPAL_A, PRINCIPAL_B, PRINCIPAL_C };

struct TCombination {
  std::int32_t id;  // the result
  ECombination kind;
  bool strain;  // strains carry engineering shears
};

// xx, yy, zz, xy, yz, zx
using TTensor = std::array<double, 6>;

// Null when the result's value is not combined from its columns.
const TCombination* FindCombination(std::int32_t resultId);
// The combined value; NaN when a component is not finite.
double Combine(const TCombination& combination, const TTensor& s);

// Columns xx, yy, zz, xy, yz, zx; a row past a column's end reads NaN.
using TTensorColumns = std::array<std::span<const double>, 6>;
// Combine of rows 0 to nRows - 1, principal values computed side by side.
std::vector<double> CombineRows(const TCombination& combination, const TTensorColumns& columns,
                                std::size_t nRows);

// A principal combination's values and the columns l, m, n of their directions (NaN where
// the value is).
struct TPrincipalRows {
  std::vector<double> values;
  std::array<std::vector<double>, 3> directions;
};
// Rows 0 to nRows - 1 of a principal combination (not von Mises).
TPrincipalRows PrincipalRows(const TCombination& combination, const TTensorColumns& columns,
                             std::size_t nRows);

}  // namespace pvk_values
