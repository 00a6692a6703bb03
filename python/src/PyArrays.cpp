#include "PyArrays.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace pvk_py {

py::array ColumnArray(std::span<const TColumnBlock> blocks, std::size_t nColumns) {
  std::size_t nRows = 0;
  for (const TColumnBlock& block : blocks) nRows += block.nRows;
  // Uninitialised: every value is written once below.
  auto owned = std::make_unique_for_overwrite<double[]>(std::max<std::size_t>(nRows * nColumns, 1));
  std::size_t first = 0;
  for (const TColumnBlock& block : blocks) {
    for (std::size_t c = 0; c < nColumns; ++c) {
      const std::span<const double> from =
          c < block.columns.size() ? block.columns[c] : std::span<const double>{};
      const std::size_t held = std::min(block.nRows, from.size());
      double* to = owned.get() + c * nRows + first;
      if (held) std::memcpy(to, from.data(), held * sizeof(double));
      std::fill(to + held, to + block.nRows, std::numeric_limits<double>::quiet_NaN());
    }
    first += block.nRows;
  }
  const double* data = owned.get();
  py::capsule capsule(owned.get(), [](void* p) { delete[] static_cast<double*>(p); });
  owned.release();  // the capsule's now
  const auto rows = static_cast<py::ssize_t>(nRows);
  const auto step = static_cast<py::ssize_t>(sizeof(double));
  return py::array_t<double>({rows, static_cast<py::ssize_t>(nColumns)}, {step, rows * step}, data,
                             capsule);
}

}  // namespace pvk_py
