// pvk export, read back by VTK's own XML reader (Debian's python3-vtk9 under /usr/bin/python3)
// and compared with what pvk values prints and with the model the file was written from.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "PvkRun.h"
#include "SampleModel.h"
#include "resultfile/PZARModelWriter150.h"
#include "session/ElemTypeTable.h"
#include "support/ResultFileBuilder.h"

namespace {

using pvk_test::json;
using pvk_test::PvkCli;
using pvk_test::TRun;

double Number(const json& value) { return value.is_null() ? NAN : value.get<double>(); }

bool Same(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

class PvkExport : public PvkCli {
protected:
  void SetUp() override { ASSERT_EQ(Run("sample beam --cells 2 --steps 2").code, 0); }

  // Exports, then reads the collection, the last file printed, back with VTK.
  json Export(const std::string& args) {
    const TRun run = Run("export " + args);
    EXPECT_EQ(run.code, 0) << args << ": " << run.err;
    const std::string pvd = run.out.substr(run.out.rfind('\n', run.out.size() - 2) + 1);
    const std::string cmd = "cd '" + m_dir.Narrow() + "' && /usr/bin/python3 '" PVK_READ_VTK "' '" +
                            pvd.substr(0, pvd.size() - 1) + "' >vtk.json";
    EXPECT_EQ(std::system(cmd.c_str()), 0) << "VTK could not read what " << args << " wrote";
    return json::parse(pvk_test::Slurp(m_dir.Narrow("vtk.json")), nullptr, false);
  }

  // Each row of `values --json` is the tuple of its point or cell: vectors without their
  // magnitude, other shapes as shown.
  void ExpectArray(const json& step, const std::string& valuesArgs) {
    const json values = Json("values " + valuesArgs + " --json");
    const bool node = values["location"]["type"] == 6;
    const std::string unit = values["unit"];
    const std::string name =
        values["result"]["name"].get<std::string>() + (unit.empty() ? "" : " [" + unit + "]");
    const json& data = step[node ? "point_data" : "cell_data"];
    ASSERT_TRUE(data.contains(name)) << valuesArgs << ": no array \"" << name << "\"";
    const json& array = data[name];
    const json& ids = data[node ? "Node ID" : "Element ID"]["values"];
    const bool vector = values["columns"] == json({"value", "x", "y", "z"});
    const std::size_t first = vector ? 1 : 0;
    const std::size_t n = values["columns"].size() - first;
    ASSERT_EQ(array["components"], n) << name;
    std::size_t rows = 0;
    for (const json& row : values["rows"]) {
      if (row.contains("at") && row["at"] != "centre") continue;
      const auto at = std::find(ids.begin(), ids.end(), row["id"]) - ids.begin();
      ASSERT_LT(at, static_cast<std::ptrdiff_t>(ids.size())) << name << " id " << row["id"];
      for (std::size_t c = 0; c < n; ++c)
        ASSERT_TRUE(Same(Number(array["values"][at * n + c]), Number(row["values"][first + c])))
            << name << " id " << row["id"] << " component " << c;
      ++rows;
    }
    EXPECT_EQ(rows * n, array["values"].size()) << name << ": entities without a row";
  }
};

// The beam's points and hexahedra, and for every exported step and result the array that
// pvk values prints; the collection's times are the step values.
TEST_F(PvkExport, TheReaderSeesTheModelAndWhatValuesPrints) {
  const CSampleCantilever beam(2);
  struct TCase {
    std::string args;
    int subcase;
    std::vector<int> steps;
    std::vector<int> results;  // empty: every result on nodes and elements
    std::string units;
  };
  const TCase cases[] = {
      {"", 1, {1}, {}, ""},
      {"--subcase 2 --all-steps --compress --results 101,7207,7211,312107",
       2,
       {1, 2},
       {101, 7207, 7211, 312107},
       ""},
      {"--subcase TRANSIENT --step 2 --results 102,312114 --units m,kN",
       2,
       {2},
       {102, 312114},
       "m,kN"},
  };
  const json info = Json("info beam.tkvp --json");
  for (const TCase& c : cases) {
    const json read = Export("beam.tkvp --out out " + c.args);
    ASSERT_EQ(read["steps"].size(), c.steps.size()) << c.args;
    for (std::size_t s = 0; s < c.steps.size(); ++s) {
      const json& step = read["steps"][s];
      const std::string where =
          " --subcase " + std::to_string(c.subcase) + " --step " + std::to_string(c.steps[s]);
      EXPECT_EQ(step["time"], info["subcases"][c.subcase - 1]["steps"][c.steps[s] - 1]["value"]);
      const json& nodeIds = step["point_data"]["Node ID"]["values"];
      ASSERT_EQ(nodeIds.size(), static_cast<std::size_t>(beam.NodeCount()));
      for (std::size_t p = 0; p < nodeIds.size(); ++p) {
        const std::array<double, 3> at = beam.NodePos(nodeIds[p].get<std::int32_t>() - 1);
        EXPECT_EQ(step["points"][p], json(at)) << "point " << p;
      }
      ASSERT_EQ(step["cells"].size(), static_cast<std::size_t>(beam.ElemCount()));
      for (std::size_t e = 0; e < step["cells"].size(); ++e) {
        const json& cell = step["cells"][e];
        std::vector<int> nodes;
        for (const json& p : cell["points"])
          nodes.push_back(nodeIds[p.get<std::size_t>()].get<int>() - 1);
        const auto want =
            beam.ElemNodes(step["cell_data"]["Element ID"]["values"][e].get<int>() - 1);
        EXPECT_EQ(nodes, std::vector<int>(want.begin(), want.end())) << "cell " << e;
        EXPECT_EQ(cell["type"], 12);
        EXPECT_EQ(cell["outward"], true);
      }
      std::vector<int> ids = c.results;
      const json listed = Json("results beam.tkvp --json" + where);
      if (ids.empty())
        for (const json& r : listed["results"])
          if (r["loc"] == 6 || r["loc"] == 2) ids.push_back(r["id"]);
      ASSERT_GT(ids.size(), 20u * c.results.empty());
      for (const int id : ids)
        ExpectArray(step, "beam.tkvp --result " + std::to_string(id) + where +
                              (c.units.empty() ? "" : " --units " + c.units));
      // Two id arrays beside the results'.
      EXPECT_EQ(step["point_data"].size() + step["cell_data"].size(), ids.size() + 2) << c.args;
    }
  }
}

// One element of every type: VTK's cell type, faces turned outwards, mid-side points halfway
// along VTK's edges; and the node values of an element result in their own array.
TEST_F(PvkExport, EveryElementTypeReadsAsItsVtkCell) {
  // VTK's cell type of each element type code 1 to 15.
  const int vtkTypes[] = {1, 3, 21, 5, 22, 9, 23, 10, 24, 14, 27, 13, 26, 12, 25};
  // The corners of each linear shape, first face turned towards the rest.
  const std::vector<std::array<double, 3>> corners[] = {
      {{0, 0, 0}},
      {{0, 0, 0}, {1, 0, 0}},
      {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}},
      {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}},
      {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
      {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0.5, 0.5, 1}},
      {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 0, 1}, {0, 1, 1}},
      {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}},
  };
  pzar_writer::TNodeBlock nodes{1, {}, {}};
  pzar_writer::TElemBlock elems{1, {}};
  for (std::int32_t code = 1; code <= 15; ++code) {
    const pvk::TElemTypeEntry& type = *pvk::GetElemTypeEntry(code);
    std::vector<std::array<double, 3>> at = corners[code / 2];
    for (std::int32_t m = 0; m < type.m_nMidSideCnt; ++m) {
      const pvk::TElemMidSide& mid = type.m_aMidSide[m];
      at.push_back({(at[mid.m_nA][0] + at[mid.m_nB][0]) / 2,
                    (at[mid.m_nA][1] + at[mid.m_nB][1]) / 2,
                    (at[mid.m_nA][2] + at[mid.m_nB][2]) / 2});
    }
    pzar_writer::TElemEntry e{code, code, {}};
    for (std::size_t k = 0; k < at.size(); ++k) {
      e.aNodes[k] = static_cast<std::int32_t>(nodes.aIDs.size()) + 1;
      nodes.aIDs.push_back(e.aNodes[k]);
      nodes.aXYZ.push_back({{at[k][0] + 2.0 * code, at[k][1], at[k][2]}});
    }
    elems.aElems.push_back(e);
  }
  CResultFileBuilder file(m_dir.Wide("zoo.tkvp"));
  file.Solver(L"S");
  ASSERT_TRUE(pzar_writer::WriteNodeRecord(file.Writer(), {nodes}) &&
              pzar_writer::WriteElementRecord(file.Writer(), {elems}));
  file.CaseInfo(1, L"C");
  file.OutputSet(1.0, L"S1");
  // The quadrilateral (element 6) holds its centre and two corners; the rest no value.
  file.IDList(PZAR_RECORD_TYPE::ELEM_ID_LIST, {6});
  file.Vector(312114, 1, {9.0}, L"V", {5, 7});
  file.Vector(5, 2, {1.5});
  file.Vector(7, 2, {NAN});
  ASSERT_TRUE(file.Finish());

  const json read = Export("zoo.tkvp --out . --compress");
  ASSERT_EQ(read["steps"].size(), 1u);
  const json& step = read["steps"][0];
  ASSERT_EQ(step["cells"].size(), 15u);
  for (std::size_t e = 0; e < 15; ++e) {
    const json& cell = step["cells"][e];
    EXPECT_EQ(cell["type"], vtkTypes[e]) << "type code " << e + 1;
    EXPECT_NE(cell["outward"], false) << "type code " << e + 1;
    EXPECT_EQ(cell["halfway"] == true, e + 1 >= 3 && (e + 1) % 2 == 1) << "type code " << e + 1;
  }
  EXPECT_EQ(step["cells"][14]["outward"], true);
  const std::string unit =
      " [" + Json("values zoo.tkvp --result 312114 --json")["unit"].get<std::string>() + "]";
  const json& centre = step["cell_data"]["Solid Strs Von Mises" + unit];
  const json& corners6 = step["cell_data"]["Solid Strs Von Mises (element nodes)" + unit];
  ASSERT_EQ(corners6["components"], 2);
  EXPECT_EQ(corners6["names"], json({"node 1", "node 2"}));
  for (std::size_t e = 0; e < 15; ++e) {
    const bool quad = e == 5;
    EXPECT_TRUE(Same(Number(centre["values"][e]), quad ? 9.0 : NAN)) << e;
    EXPECT_TRUE(Same(Number(corners6["values"][2 * e]), quad ? 1.5 : NAN)) << e;
    EXPECT_TRUE(std::isnan(Number(corners6["values"][2 * e + 1]))) << e;
  }
}

// Refusals leave the folder as it was: no .part file, no partial collection.
TEST_F(PvkExport, RefusalsWriteNothing) {
  struct TCase {
    std::string args;
    int code;
    std::string err;
  };
  std::filesystem::create_directory(m_dir.Narrow("ro"));
  std::filesystem::permissions(
      m_dir.Narrow("ro"), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  const bool root = ::geteuid() == 0;
  const TCase cases[] = {
      {"--results 999", 3,
       "pvk: no result 999: the step does not hold it (see 'pvk results beam.tkvp')\n"},
      {"--results 481", 2,
       "pvk: cannot export result 481: only results on nodes and elements become VTK arrays\n"},
      {"--subcase 3", 3, ""},
      {"--all-steps --step 2", 2, ""},
      {"--units m,parsec", 2, ""},
      {"--out beam.tkvp", 1, "pvk: cannot write to beam.tkvp: Not a directory\n"},
      {"--out ro/x", 1, "pvk: cannot write to ro/x: Permission denied\n"},
  };
  for (const TCase& c : cases) {
    if (root && c.args.find("ro/") != std::string::npos) continue;  // root writes anywhere
    const std::string out = c.args.find("--out") == std::string::npos ? " --out out" : "";
    ExpectRefused("export beam.tkvp" + out + " " + c.args, c.code, c.err);
  }
  // A file too large for the limit: nothing of the export stays in the folder.
  ExpectRefused("export beam.tkvp --out big", 1,
                "pvk: cannot write big/beam-sub1-step1.vtu: File too large\n",
                "trap '' XFSZ; ulimit -f 64;");
  for (const std::string folder : {"out", "big"})
    EXPECT_TRUE(!std::filesystem::exists(m_dir.Narrow(folder)) ||
                std::filesystem::is_empty(m_dir.Narrow(folder)))
        << folder;
}

}  // namespace
