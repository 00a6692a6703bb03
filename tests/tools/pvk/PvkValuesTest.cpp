// pvk values: combined values, column names, row labels, result and unit names, JSON.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "PvkRun.h"
#include "SampleModel.h"
#include "ValueCombine.h"
#include "support/ResultFileBuilder.h"

namespace {

using pvk_test::json;
using pvk_test::PvkCli;
using pvk_test::TRun;

class PvkValues : public PvkCli {
protected:
  void SetUp() override { ASSERT_EQ(Run("sample beam --cells 2 --steps 1").code, 0); }

  // The values of one column over the rows of `values ... --json`.
  std::vector<double> Column(const std::string& args, std::size_t column = 0) {
    std::vector<double> out;
    const json values = Json("values " + args + " --json");
    for (const json& row : values["rows"])
      out.push_back(row["values"][column].is_null() ? NAN : row["values"][column].get<double>());
    return out;
  }

  // Two nodes: uniaxial stress 100 and strain 1e-3 of an incompressible solid, then pure
  // shear 50 and engineering shear strain 2e-3.
  void WriteTensors() {
    CResultFileBuilder file(m_dir.Wide("t.tkvp"));
    file.Solver(L"S");
    file.CaseInfo(1, L"C");
    file.OutputSet(1.0, L"S1");
    file.IDList(PZAR_RECORD_TYPE::NODE_ID_LIST, {1, 2});
    const std::vector<std::vector<double>> strain = {{1e-3, 0}, {-5e-4, 0}, {-5e-4, 0},
                                                     {0, 2e-3}, {0, 0},     {0, 0}};
    const std::vector<std::vector<double>> stress = {{100, 0}, {0, 0}, {0, 0},
                                                     {0, 50},  {0, 0}, {0, 0}};
    for (std::int32_t c = 0; c < 6; ++c) {
      file.Vector(7101 + c, 0, strain[c]);
      file.Vector(7201 + c, 0, stress[c]);
    }
    ASSERT_TRUE(file.Finish());
  }

  // One quadrilateral on nodes 11 to 14 whose result holds the centre and two corners.
  void WriteCorners() {
    CResultFileBuilder file(m_dir.Wide("q.tkvp"));
    file.Solver(L"S");
    pzar_writer::TNodeBlock nodes{
        1, {11, 12, 13, 14}, {{{0, 0, 0}}, {{1, 0, 0}}, {{1, 1, 0}}, {{0, 1, 0}}}};
    pzar_writer::TElemEntry quad{7, 6, {11, 12, 13, 14}};
    ASSERT_TRUE(pzar_writer::WriteNodeRecord(file.Writer(), {nodes}) &&
                pzar_writer::WriteElementRecord(file.Writer(), {{1, {quad}}}));
    file.CaseInfo(1, L"C");
    file.OutputSet(1.0, L"S1");
    file.IDList(PZAR_RECORD_TYPE::ELEM_ID_LIST, {7});
    // Corner vectors follow the vector that names them.
    file.Vector(312114, 1, {9.0}, L"V", {5, 6});
    file.Vector(5, 2, {1.5});
    file.Vector(6, 2, {2.5});
    ASSERT_TRUE(file.Finish());
  }
};

TEST_F(PvkValues, CombinedValuesAreTheHandValues) {
  WriteTensors();
  const double kRoot3 = std::sqrt(3.0);
  struct TCase {
    int id;
    double uniaxial, shear;
  };
  const TCase cases[] = {
      {7207, 100, 50 * kRoot3},    {7208, 100, 50},    {7209, 0, 0},     {7210, 0, -50},
      {7107, 1e-3, 2e-3 / kRoot3}, {7108, 1e-3, 1e-3}, {7109, -5e-4, 0}, {7110, -5e-4, -1e-3},
  };
  for (const TCase& c : cases) {
    const std::vector<double> v = Column("t.tkvp --result " + std::to_string(c.id));
    ASSERT_EQ(v.size(), 2u) << c.id;
    EXPECT_NEAR(v[0], c.uniaxial, 1e-12 * 100) << c.id;
    EXPECT_NEAR(v[1], c.shear, 1e-12 * 100) << c.id;
  }
}

// A block's rows combined at once read as each row combined alone, past the end of a short
// column and for components that are not finite too.
TEST(PvkValueCombine, RowsAtOnceAreTheRowsAlone) {
  constexpr std::size_t kRows = 3000;
  std::mt19937_64 rng(4);
  std::uniform_real_distribution<double> u(-10.0, 10.0);
  std::vector<std::vector<double>> columns(6, std::vector<double>(kRows));
  for (auto& column : columns)
    for (double& x : column) x = u(rng);
  columns[2][7] = NAN;
  columns[4].resize(kRows - 5);
  pvk_values::TTensorColumns spans;
  for (std::size_t c = 0; c < spans.size(); ++c) spans[c] = columns[c];
  for (const std::int32_t id : {7107, 7108, 7109, 7110, 7207, 7208, 7209, 7210}) {
    const pvk_values::TCombination& combination = *pvk_values::FindCombination(id);
    const std::vector<double> rows = pvk_values::CombineRows(combination, spans, kRows + 2);
    ASSERT_EQ(rows.size(), kRows + 2);
    for (std::size_t r = 0; r < rows.size(); ++r) {
      pvk_values::TTensor s;
      for (std::size_t c = 0; c < s.size(); ++c) s[c] = r < columns[c].size() ? columns[c][r] : NAN;
      const double alone = pvk_values::Combine(combination, s);
      ASSERT_EQ(std::memcmp(&rows[r], &alone, sizeof alone), 0) << id << " row " << r;
    }
  }
}

TEST_F(PvkValues, ColumnNamesAndRows) {
  WriteCorners();
  const CSampleCantilever beam(2);
  struct TCase {
    std::string args, header;
    int rows;
  };
  const std::string principal = "value,l,m,n";
  const TCase cases[] = {
      {"beam.tkvp --result 104", "id,value,x,y,z", beam.NodeCount()},
      {"beam.tkvp --result 7207", "id,value", beam.NodeCount()},
      {"beam.tkvp --result 7207 --columns", "id,xx,yy,zz,xy,yz,zx", beam.NodeCount()},
      {"beam.tkvp --result 7211", "id,xx,yy,zz,xy,yz,zx", beam.NodeCount()},
      {"beam.tkvp --result 312107", "id,at," + principal, beam.ElemCount()},
      {"beam.tkvp --result 312109 --columns",
       "id,at," + principal + ",value2,l2,m2,n2,value3,l3,m3,n3", beam.ElemCount()},
      {"beam.tkvp --result 312114", "id,at,value", beam.ElemCount()},
      {"beam.tkvp --result 312114 --all-values", "id,at,value", beam.ElemCount() * 9},
      {"q.tkvp --result 312114", "id,at,value\n7,centre,9\n7,node 11,1.5\n7,node 12,2.5", 3},
      {"q.tkvp --result 312114 --all-values",
       "id,at,value\n7,centre,9\n7,node 11,1.5\n7,node 12,2.5\n7,node 13,0\n7,node 14,0", 5},
  };
  for (const TCase& c : cases) {
    const TRun run = Run("values " + c.args + " --csv");
    ASSERT_EQ(run.code, 0) << c.args << ": " << run.err;
    EXPECT_EQ(run.out.rfind(c.header + "\n", 0), 0u) << c.args << ":\n" << run.out;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), c.rows + 1) << c.args;
  }
}

TEST_F(PvkValues, NamesUnitsAndRefusals) {
  struct TCase {
    std::string args;
    int code;
    std::string answer;  // the unit on success, else the message
  };
  const std::string see = " (see 'pvk results beam.tkvp')\n";
  const std::string expected =
      "expected unit names separated by commas, each kind at most once, such as m,kN";
  const TCase cases[] = {
      {"--result '  SOLID strs_von-Mises '", 0, "N/mm^2"},
      {"--result 'nodal strs von mises'", 0, "N/mm^2"},
      {"--result 312114 --loc element --units kN,m", 0, "kN/m^2"},
      {"--result 312114 --loc 2 --units ' m '", 0, "N/m^2"},
      {"--result 312114 --units N", 0, "N/mm^2"},
      {"--result 312114 --units kip,in", 0, "kips/in^2"},
      {"--result 312114 --units KN,M,sec,J", 0, "kN/m^2"},
      {"--result 'solid strs von mizes'", 3,
       "pvk: no result \"solid strs von mizes\": did you mean \"Solid Strs Von Mises\"?" + see},
      {"--result 'no such thing'", 3,
       "pvk: no result \"no such thing\": the step does not hold it" + see},
      {"--result 4242", 3, "pvk: no result 4242: the step does not hold it" + see},
      {"--result 104 --loc element", 3,
       "pvk: no result 104 at element: the step does not hold it" + see},
      {"--result 104 --loc nod", 2,
       "pvk: bad --loc \"nod\": expected a location name or its number 1 to 7: facet element "
       "element-corner element-node point node ibm-volume-node\n"},
      {"--result 104 --units ''", 2, "pvk: bad --units \"\": " + expected},
      {"--result 104 --units m,", 2, "pvk: bad --units \"m,\": " + expected},
      {"--result 104 --units s,h", 2, "pvk: bad --units \"s,h\": two time units; " + expected},
      {"--result 104 --units m,cm", 2, "pvk: bad --units \"m,cm\": two length units; " + expected},
      {"--result 104 --units m,parsec", 2,
       "pvk: bad --units \"m,parsec\": \"parsec\" is no unit; " + expected},
  };
  for (const TCase& c : cases) {
    const TRun run = Run("values beam.tkvp --json " + c.args);
    EXPECT_EQ(run.code, c.code) << c.args << ": " << run.err;
    if (c.code == 0) {
      EXPECT_EQ(json::parse(run.out)["unit"], c.answer) << c.args;
    } else {
      EXPECT_TRUE(run.out.empty()) << c.args;
      EXPECT_EQ(run.err.rfind(c.answer, 0), 0u) << c.args << ": " << run.err;
    }
  }
}

TEST_F(PvkValues, JsonNamesWhatItHolds) {
  const TRun run = Run("values beam.tkvp --json --result 312107 --subcase TRANSIENT --step 1");
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out.rfind("{\"schema_version\": 1, ", 0), 0u);
  const json v = json::parse(run.out);
  EXPECT_EQ(v["file"], "beam.tkvp");
  EXPECT_EQ(v["subcase"], json({{"number", 2}, {"name", "TRANSIENT"}}));
  EXPECT_EQ(v["step"]["number"], 1);
  EXPECT_EQ(v["result"], json({{"id", 312107}, {"name", "Solid Strs Principal A"}}));
  EXPECT_EQ(v["location"], json({{"type", 2}, {"name", "element"}}));
  EXPECT_EQ(v["amount_type"], 4);
  EXPECT_EQ(v["combined"], false);
  EXPECT_EQ(v["columns"], json({"value", "l", "m", "n"}));
  ASSERT_EQ(v["rows"].size(), static_cast<std::size_t>(CSampleCantilever(2).ElemCount()));
  EXPECT_EQ(v["rows"][0]["at"], "centre");
  EXPECT_EQ(v["rows"][0]["values"].size(), 4u);
}

}  // namespace
