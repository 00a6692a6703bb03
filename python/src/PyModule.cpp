// The module qve_pvk: result files as numpy arrays. Failures of the library become Python
// exceptions with its reasons: ResultFileError for a file that cannot be opened or read,
// KeyError for a sub-case, step or result that does not exist, ValueError for a bad argument.
#include "PvkError.h"
#include "PyBind.h"

namespace pvk_py {

std::optional<std::string> UnitsText(const py::object& units) {
  if (units.is_none()) return std::nullopt;
  if (py::isinstance<py::str>(units)) return units.cast<std::string>();
  std::string text;
  for (const py::handle name : units) text += (text.empty() ? "" : ",") + name.cast<std::string>();
  return text;
}

}  // namespace pvk_py

PYBIND11_MODULE(_core, m) {
  using namespace pvk_py;
  m.doc() = "Finite-element result files (PZAR) read into numpy arrays.";
  static py::exception<CPvkError> resultFileError(m, "ResultFileError", PyExc_OSError);
  py::register_exception_translator([](std::exception_ptr p) {
    try {
      if (p) std::rethrow_exception(p);
    } catch (const CPvkError& e) {
      switch (e.Code()) {
        case PVK_EXIT_MISSING:
          PyErr_SetString(PyExc_KeyError, e.what());
          return;
        case PVK_EXIT_USAGE:
          PyErr_SetString(PyExc_ValueError, e.what());
          return;
        default:
          resultFileError(e.what());
      }
    }
  });
  BindValues(m);
  BindCase(m);
  BindModel(m);
  BindTools(m);
}
