// The values' classes, and the model of the file as arrays.
#include <pybind11/stl.h>

#include "ExportGrid.h"
#include "PyArrays.h"
#include "PyBind.h"
#include "PyFile.h"
#include "PyValues.h"

namespace pvk_py {

namespace {

struct TPyNodes {
  py::array ids;  // int32
  py::array xyz;  // (nodes, 3) float64
};

// The elements as VTK cells over the rows of the nodes.
struct TPyElements {
  py::array ids;           // int32
  py::array types;         // uint8, VTK cell types
  py::array offsets;       // int64, cell i has connectivity[offsets[i]:offsets[i + 1]]
  py::array connectivity;  // int64 rows of the nodes, in VTK's order
};

TPyNodes Nodes(const CPyFile& file) {
  pvk_export::TExportGrid grid = pvk_export::BuildGrid(file.Session());
  const auto n = static_cast<py::ssize_t>(grid.nodeIds.size());
  return {Adopt(std::move(grid.nodeIds)), Adopt(std::move(grid.positions), {n, 3})};
}

TPyElements Elements(const CPyFile& file) {
  pvk_export::TExportGrid grid = pvk_export::BuildGrid(file.Session());
  grid.offsets.insert(grid.offsets.begin(), 0);
  return {Adopt(std::move(grid.elemIds)), Adopt(std::move(grid.types)),
          Adopt(std::move(grid.offsets)), Adopt(std::move(grid.connectivity))};
}

}  // namespace

void BindValues(py::module_& m) {
  py::class_<TPyValues>(m, "Values",
                        "The rows of a result: entity keys[i] has the rows dsi[i] to dsi[i] + "
                        "dct[i] - 1 of columns (for an element: its centre, then its nodes).")
      .def_readonly("keys", &TPyValues::keys, "Entity ids (int32).")
      .def_readonly("dsi", &TPyValues::dsi, "Each entity's first row (int32).")
      .def_readonly("dct", &TPyValues::dct, "Each entity's row count (int32).")
      .def_readonly("columns", &TPyValues::columns, "The values, (rows, columns) float64.")
      .def_readonly("names", &TPyValues::names, "The name of each column.")
      .def_readonly("unit", &TPyValues::unit, "The unit of the values ('' for none).")
      .def_readonly("combined", &TPyValues::combined,
                    "Whether the one column is combined from the stored tensor.");
  py::class_<TPyPrincipal>(m, "Principal", "Principal values and their directions.")
      .def_readonly("keys", &TPyPrincipal::keys, "Entity ids (int32).")
      .def_readonly("dsi", &TPyPrincipal::dsi, "Each entity's first row (int32).")
      .def_readonly("dct", &TPyPrincipal::dct, "Each entity's row count (int32).")
      .def_readonly("values", &TPyPrincipal::values, "The principal values, (rows,) float64.")
      .def_readonly("directions", &TPyPrincipal::directions,
                    "Direction cosines l, m, n of each value, (rows, 3) float64.")
      .def_readonly("unit", &TPyPrincipal::unit, "The unit of the values.");
}

void BindModel(py::module_& m) {
  py::class_<TPyNodes>(m, "Nodes", "The nodes of the file's model.")
      .def_readonly("ids", &TPyNodes::ids, "Node ids (int32).")
      .def_readonly("xyz", &TPyNodes::xyz, "Positions, (nodes, 3) float64.");
  py::class_<TPyElements>(m, "Elements",
                          "The elements of the file's model as VTK cells over the node rows; "
                          "elements of a shape VTK lacks are left out.")
      .def_readonly("ids", &TPyElements::ids, "Element ids (int32).")
      .def_readonly("types", &TPyElements::types, "VTK cell types (uint8).")
      .def_readonly("offsets", &TPyElements::offsets,
                    "Cell i has connectivity[offsets[i]:offsets[i + 1]] (int64, cells + 1).")
      .def_readonly("connectivity", &TPyElements::connectivity,
                    "Rows of File.nodes, in VTK's node order (int64).");
  auto file = py::reinterpret_borrow<py::class_<CPyFile, TFileRef>>(m.attr("File"));
  file.def_property_readonly("nodes", &Nodes, "The nodes: ids and positions.")
      .def_property_readonly("elements", &Elements, "The elements: ids, VTK types, nodes.");
}

}  // namespace pvk_py
