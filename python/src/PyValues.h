#pragma once
// Result values handed to numpy: the rows of every loaded block with the entity indexing.
#include <pybind11/numpy.h>

#include <optional>
#include <string>
#include <vector>

#include "PyFile.h"

namespace pvk_py {

namespace py = pybind11;

// Entity i has the rows dsi[i] to dsi[i] + dct[i] - 1 of the value arrays.
struct TPyValues {
  py::array keys, dsi, dct;  // int32
  py::array columns;         // (rows, columns) float64
  std::vector<std::string> names;
  std::string unit;
  bool combined = false;
};

struct TPyPrincipal {
  py::array keys, dsi, dct;
  py::array values;      // (rows,)
  py::array directions;  // (rows, 3): l, m, n
  std::string unit;
};

// The values `pvk values` prints, or with `stored` the stored columns; `units` as --units
// takes them ("m,N"), the file's without.
TPyValues ResultValues(const TPyResult& result, const std::optional<std::string>& units,
                       bool stored);
// The values and directions of a principal result: one that holds them, or a nodal principal
// value combined from the stored tensor. Throws ValueError for any other result.
TPyPrincipal PrincipalValues(const TPyResult& result, const std::optional<std::string>& units);
// An expression over results of one step (not checked here), as `pvk calc` computes it.
TPyValues CalcValues(const std::string& expr, const std::vector<TPyResult>& operands,
                     const std::optional<std::string>& units);

}  // namespace pvk_py
