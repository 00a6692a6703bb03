#pragma once
// numpy arrays over memory that C++ owns: a capsule holds the storage and frees it when the
// last array that views it goes.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <memory>
#include <span>
#include <utility>
#include <vector>

namespace pvk_py {

namespace py = pybind11;

// The vector moves into the array's capsule: no copy. `shape` in C order.
template <class T>
py::array Adopt(std::vector<T>&& values, std::vector<py::ssize_t> shape) {
  auto owned = std::make_unique<std::vector<T>>(std::move(values));
  const T* data = owned->data();
  py::capsule capsule(owned.get(), [](void* p) { delete static_cast<std::vector<T>*>(p); });
  owned.release();  // the capsule's now
  return py::array_t<T>(std::move(shape), data, capsule);
}

template <class T>
py::array Adopt(std::vector<T>&& values) {
  const auto n = static_cast<py::ssize_t>(values.size());
  return Adopt(std::move(values), {n});
}

// Some rows of value columns.
struct TColumnBlock {
  std::vector<std::span<const double>> columns;
  std::size_t nRows = 0;  // a shorter column reads NaN past its end
};

// The blocks' rows one after the other in a (rows, nColumns) array, in Fortran order so that
// each column of a block is one contiguous copy; NaN for a column a block lacks.
py::array ColumnArray(std::span<const TColumnBlock> blocks, std::size_t nColumns);

}  // namespace pvk_py
