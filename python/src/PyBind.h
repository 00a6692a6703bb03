#pragma once
// The parts of the module qve_pvk, each binding its classes and functions.
#include <pybind11/pybind11.h>

#include <optional>
#include <string>

namespace pvk_py {

namespace py = pybind11;

void BindCase(py::module_& m);
void BindValues(py::module_& m);
void BindModel(py::module_& m);
void BindTools(py::module_& m);

// Units as --units takes them: None (the file's), "m,N" or a sequence ("m", "N").
std::optional<std::string> UnitsText(const py::object& units);

}  // namespace pvk_py
