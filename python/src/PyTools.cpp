// Results computed by an expression, and the export to VTK files.
#include <pybind11/stl.h>

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "ExportRun.h"
#include "PyBind.h"
#include "PyFile.h"
#include "PyValues.h"
#include "RenderRun.h"

namespace pvk_py {

namespace {

TPyValues Calc(const TPyStep& step, const std::string& expr, const std::vector<TPyResult>& operands,
               const py::object& units) {
  for (const TPyResult& operand : operands)
    if (operand.step.file != step.file || operand.step.vcas != step.vcas)
      throw py::value_error("the operands of calc must be results of its step");
  return CalcValues(expr, operands, UnitsText(units));
}

// The steps of a sub-case, or one step.
using TExported = std::variant<TPySubcase, TPyStep>;

std::vector<std::string> Export(const TExported& what, const std::string& out,
                                const py::object& results, const py::object& units, bool compress) {
  TExportOptions o;
  o.out = out;
  o.units = UnitsText(units);
  o.compress = compress;
  if (!results.is_none())
    for (const py::handle result : results) o.results.push_back(py::str(result));
  TFileRef file;
  if (const auto* pSub = std::get_if<TPySubcase>(&what)) {
    file = pSub->file;
    o.select.subcase = std::to_string(pSub->number);
    o.allSteps = true;
  } else {
    const TPyStep& step = std::get<TPyStep>(what);
    file = step.file;
    o.select.subcase = std::to_string(step.subcase);
    o.select.step = std::to_string(step.number);
  }
  CPvkSession& session = file->Session();
  o.file = session.Path();
  return ExportFiles(session, o);
}

void Render(const TPyStep& step, const py::object& result, const std::string& out,
            const std::string& size, const std::string& view, std::int32_t ranks,
            std::optional<double> deformed, const py::object& loc) {
  TRenderOptions o;
  o.result = py::str(result);
  if (!loc.is_none()) o.loc = py::str(loc);
  o.select.subcase = std::to_string(step.subcase);
  o.select.step = std::to_string(step.number);
  o.out = out;
  o.size = size;
  o.view = view;
  o.nRank = ranks;
  o.deformed = deformed;
  CPvkSession& session = step.file->Session();
  o.file = session.Path();
  RenderFile(session, o);
}

}  // namespace

void BindTools(py::module_& m) {
  m.def("calc", &Calc, py::arg("step"), py::arg("expr"), py::arg("operands"),
        py::arg("units") = py::none(),
        "A result computed by an expression, as `pvk calc` computes it: each [NAME] token "
        "stands for the next operand (results of `step`), every column of a row from the same "
        "row and column of each operand. Returns Values with the rows of the first operand.");
  m.def("export", &Export, py::arg("what"), py::arg("out"), py::arg("results") = py::none(),
        py::arg("units") = py::none(), py::arg("compress") = false,
        "Writes a step, or every step of a sub-case, as VTK unstructured grids (.vtu) with a "
        ".pvd collection into the folder `out`, as `pvk export` does: `results` ids or names "
        "(every result on nodes and elements without), `units` as for values. Returns the "
        "paths written, the collection last.");
  m.def("render", &Render, py::arg("step"), py::arg("result"), py::arg("out"),
        py::arg("size") = "800x600", py::arg("view") = "iso",
        py::arg("ranks") = TRenderOptions::N_DEFAULT_RANKS, py::arg("deformed") = py::none(),
        py::arg("loc") = py::none(),
        "Draws a contour picture of a result (id or name) of `step` on the model's outer faces "
        "with its legend and writes it to `out` as PNG, as `pvk render` does: `size` "
        "\"WIDTHxHEIGHT\", `view` iso, x, y, z, -x, -y or -z, `ranks` the legend's rank values, "
        "`deformed` a scale of the step's Total Translation.");
}

}  // namespace pvk_py
