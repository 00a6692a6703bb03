// The file and its case tree: sub-cases, steps and the results of a step.
#include <pybind11/stl.h>

#include <vector>

#include "InfoJson.h"
#include "PvkCommands.h"
#include "PvkText.h"
#include "PyBind.h"
#include "PyFile.h"
#include "PyValues.h"
#include "ValueResult.h"
#include "session/POHMcas.h"
#include "session/POHScas.h"
#include "session/POHTypes.h"
#include "session/POHVcas.h"
#include "vresult/VResult.h"
#include "vresult/VResultPackage.h"

namespace pvk_py {

namespace {

std::vector<TPySubcase> Subcases(const TFileRef& file) {
  std::vector<TPySubcase> out;
  for (const std::uint64_t scas : file->Session().Subcases())
    out.push_back({file, scas, static_cast<std::int32_t>(out.size() + 1)});
  return out;
}

std::vector<TPyStep> Steps(const TPySubcase& sub) {
  std::vector<TPyStep> out;
  for (const std::uint64_t vcas : sub.file->Session().Steps(sub.scas))
    out.push_back(
        {sub.file, sub.scas, vcas, sub.number, static_cast<std::int32_t>(out.size() + 1)});
  return out;
}

const CVResultPackage& Package(const TPyStep& step) {
  return *step.file->Session().Vcas(step.vcas).GetPackage();
}

std::vector<TPyResult> Results(const TPyStep& step) {
  std::vector<CVResult*> all;
  Package(step).GetAllResults(all);
  std::vector<TPyResult> out;
  for (CVResult* vr : all) out.push_back({step, vr});
  return out;
}

// By id (an int, or its digits) or by name as `pvk results` lists it; KeyError when none.
TPyResult FindResult(const TPyStep& step, const py::object& key, const py::object& loc) {
  const std::string text = py::str(key);
  const std::int32_t asked =
      loc.is_none()
          ? -1
          : pvk_values::AskedLoc(py::str(loc), "bad loc \"" + std::string(py::str(loc)) + "\"");
  return {step, &pvk_values::FindResult(Package(step), text, asked, step.file->Session().Path())};
}

std::string Unit(const TPyResult& r) {
  return UnitText(r.Get(), *r.step.file->Session().Mcas().GetUnitIndex());
}

void BindFile(py::module_& m) {
  py::class_<CPyFile, TFileRef>(m, "File", "A result file opened with its session and model.")
      .def_property_readonly(
          "path", [](const CPyFile& f) { return f.Session().Path(); }, "The absolute path.")
      .def_property_readonly(
          "info",
          [](const CPyFile& f) {
            return py::module_::import("json").attr("loads")(InfoJson(f.Session()));
          },
          "The file, its model and its case tree as a dict, as `pvk info --json` prints them.")
      .def_property_readonly("subcases", &Subcases, "The sub-cases in the file's order.")
      .def_property_readonly("closed", &CPyFile::Closed, "Whether the file is closed.")
      .def("close", &CPyFile::Close,
           "Closes the file; arrays handed out stay valid, the case tree refuses with ValueError.")
      .def("__enter__", [](const TFileRef& f) { return f; })
      .def(
          "__exit__", [](CPyFile& f, const py::args&) { f.Close(); },
          "Closes the file at the end of a with block.")
      .def(
          "principal",
          [](const CPyFile&, const TPyStep& step, const py::object& result,
             const py::object& units) {
            return PrincipalValues(FindResult(step, result, py::none()), UnitsText(units));
          },
          py::arg("step"), py::arg("result"), py::arg("units") = py::none(),
          "The values and direction cosines of a principal result of the step (by id or name): "
          "one that holds them, or a nodal principal value of the stored tensor.");
  m.def(
      "open", [](const std::string& path) { return std::make_shared<CPyFile>(path); },
      py::arg("path"),
      "Opens a result file as a host does: a session, a file manager and a model database from "
      "the file's own records. Raises ResultFileError with the reason when it cannot.");
}

void BindTree(py::module_& m) {
  py::class_<TPySubcase>(m, "Subcase", "A sub-case of the file.")
      .def_readonly("number", &TPySubcase::number, "Its number from 1.")
      .def_property_readonly(
          "name",
          [](const TPySubcase& s) { return s.file->Session().Name(pvk::POH_LEVEL_SCAS, s.scas); },
          "Its name.")
      .def_property_readonly(
          "analysis_type",
          [](const TPySubcase& s) { return s.file->Session().Scas(s.scas).GetMecAnalType(); },
          "The analysis type code (1 static, 2 transient, ...).")
      .def_property_readonly("steps", &Steps, "The steps in the file's order.");
  py::class_<TPyStep>(m, "Step", "A step of a sub-case, with its results.")
      .def_readonly("number", &TPyStep::number, "Its number from 1 within the sub-case.")
      .def_readonly("subcase_number", &TPyStep::subcase, "The number of its sub-case.")
      .def_property_readonly(
          "name",
          [](const TPyStep& s) { return s.file->Session().Name(pvk::POH_LEVEL_VCAS, s.vcas); },
          "Its name.")
      .def_property_readonly(
          "value", [](const TPyStep& s) { return s.file->Session().Vcas(s.vcas).GetStepValue(); },
          "The step value (time, frequency, load factor).")
      .def_property_readonly("results", &Results, "Every result the step offers.")
      .def("result", &FindResult, py::arg("key"), py::arg("loc") = py::none(),
           "The result with this id or name (as `pvk results` lists it), at location `loc` (a "
           "name such as 'node' or its number) or the first that holds it. Raises KeyError "
           "when there is none.");
}

void BindResult(py::module_& m) {
  py::class_<TPyResult>(m, "Result", "A result quantity of a step.")
      .def_property_readonly(
          "id", [](const TPyResult& r) { return r.Get().GetType(); }, "Its id.")
      .def_property_readonly(
          "loc", [](const TPyResult& r) { return static_cast<int>(r.Get().GetLocType()); },
          "Its location type, 1 to 7.")
      .def_property_readonly(
          "location",
          [](const TPyResult& r) { return pvk_text::LocationName(r.Get().GetLocType()); },
          "Its location name: 'node', 'element', ...")
      .def_property_readonly(
          "amt",
          [](const TPyResult& r) { return static_cast<int>(r.Get().GetDLoadOpt().nAMTType); },
          "Its amount type: 1 scalar, 2 vector, 3 and 4 principal, 6 tensor, ...")
      .def_property_readonly(
          "name", [](const TPyResult& r) { return pvk_text::Utf8(r.Get().GetName()); },
          "Its name, as `pvk results` lists it.")
      .def_property_readonly("unit", &Unit, "Its unit in the file's units ('' for none).")
      .def_readonly("step", &TPyResult::step, "The step it belongs to.")
      .def(
          "values",
          [](const TPyResult& r, const py::object& units, bool stored) {
            return ResultValues(r, UnitsText(units), stored);
          },
          py::arg("units") = py::none(), py::arg("stored") = false,
          "Loads the values: those `pvk values` prints (von Mises and the nodal principal "
          "values combined from the stored tensor), or with stored=True the stored columns. "
          "`units` names units as --units does: ('m', 'N') or 'm,N'; the file's without.")
      .def("__repr__", [](const TPyResult& r) {
        return "<Result " + std::to_string(r.Get().GetType()) + " '" +
               pvk_text::Utf8(r.Get().GetName()) + "'>";
      });
}

}  // namespace

void BindCase(py::module_& m) {
  BindFile(m);
  BindTree(m);
  BindResult(m);
}

}  // namespace pvk_py
