#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "PvkRun.h"
#include "SampleModel.h"
#include "base/ConvertString.h"
#include "support/ResultFileBuilder.h"

namespace {

using nlohmann::json;
using pvk_test::PvkCli;
using pvk_test::Slurp;
using pvk_test::TRun;

struct TFormat {
  int format, real;
};

class PvkSample : public PvkCli, public ::testing::WithParamInterface<TFormat> {};

// The sample in every format and width: its tree, and the values it was written with read back
// through the library.
TEST_P(PvkSample, OpensAndReadsBackWhatWasWritten) {
  const TFormat f = GetParam();
  const std::string args = " --cells 2 --steps 2 --format " + std::to_string(f.format) +
                           " --real " + std::to_string(f.real);
  const TRun written = Run("sample beam" + args);
  ASSERT_EQ(written.code, 0) << written.err;
  EXPECT_EQ(written.out, "beam.tkvp\n");

  const json info = Json("info beam.tkvp --json");
  EXPECT_EQ(info["version"], f.format);
  EXPECT_EQ(info["real_width"], f.real);
  EXPECT_EQ(info["units"]["length"], "mm");
  ASSERT_EQ(info["subcases"].size(), 2u);
  EXPECT_EQ(info["subcases"][0]["name"], "STATIC");
  ASSERT_EQ(info["subcases"][1]["steps"].size(), 2u);
  EXPECT_EQ(info["subcases"][1]["steps"][0]["value"], f.real == 8 ? 0.5 : double(0.5f));
  EXPECT_GT(info["subcases"][1]["steps"][0]["results"], 20);

  // T3 of the second transient step (load factor 1) at every node.
  const json t3 = Json("values beam.tkvp --result 104 --subcase TRANSIENT --step 2 --json");
  const CSampleCantilever beam(2);
  const json& rows = t3["rows"];
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(beam.NodeCount()));
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const double expected = beam.Translation(beam.NodePos(rows[i]["id"].get<int>() - 1), 1)[2];
    const double stored = f.real == 8 ? expected : static_cast<float>(expected);
    EXPECT_EQ(rows[i]["values"][0].get<double>(), stored) << i;
  }

  // Principal stress A of the first element: its value and direction cosines, then B and C.
  const json a =
      Json("values beam.tkvp --result 312107 --subcase TRANSIENT --step 2 --json --columns");
  const json& columns = a["rows"][0]["values"];
  ASSERT_EQ(columns.size(), 12u);
  const TPrincipal p = PrincipalOf(beam.Stress(beam.ElemCentre(0), 1));
  const double tolerance = f.real == 8 ? 1e-12 : 1e-6;
  for (std::size_t k = 0; k < 3; ++k)
    EXPECT_NEAR(columns[k].get<double>(), k == 0 ? p.value[0] : p.dir[0][k - 1],
                tolerance * std::max(1.0, std::abs(p.value[0])));
  EXPECT_NEAR(columns[4].get<double>(), p.value[1], tolerance);
}

INSTANTIATE_TEST_SUITE_P(FormatsAndWidths, PvkSample,
                         ::testing::Values(TFormat{140, 8}, TFormat{140, 4}, TFormat{130, 8},
                                           TFormat{130, 4}));

TEST_F(PvkCli, CsvAndUnitConversion) {
  ASSERT_EQ(Run("sample beam --cells 1 --steps 1").code, 0);
  const TRun csv = Run("values beam.tkvp --result 104 --csv");
  ASSERT_EQ(csv.code, 0) << csv.err;
  std::istringstream lines(csv.out);
  std::string header;
  std::getline(lines, header);
  EXPECT_EQ(header, "id,value,x,y,z");
  int rows = 0;
  for (std::string line; std::getline(lines, line);) ++rows;
  EXPECT_EQ(rows, CSampleCantilever(1).NodeCount());

  const json mm = Json("values beam.tkvp --result 312114 --json");
  const json m = Json("values beam.tkvp --result 312114 --json --units m,N");
  EXPECT_EQ(m["unit"], "N/m^2");
  const double inMm = mm["rows"][0]["values"][0].get<double>();
  EXPECT_NE(inMm, 0.0);
  EXPECT_DOUBLE_EQ(m["rows"][0]["values"][0].get<double>(), inMm * 1e6);
}

TEST_F(PvkCli, EchoIsTheScansEchoFile) {
  ASSERT_EQ(Run("sample beam --cells 1 --steps 1").code, 0);
  const TRun echo = Run("echo beam.tkvp");
  ASSERT_EQ(echo.code, 0);
  ASSERT_EQ(Run("info beam.tkvp", "PVK_BATCH_OUTPUT=YES").code, 0);
  EXPECT_EQ(echo.out, Slurp(m_dir.Narrow("beam.tkvp.ech")));
  EXPECT_NE(echo.out.find("Solver Info (PVK SAMPLE)"), std::string::npos);
}

// Refusals of every command: the exit code and, where given, the whole message.
TEST_F(PvkCli, FailuresExitWithTheirCodeAndOneMessageLine) {
  ASSERT_EQ(Run("sample beam --cells 1 --steps 1").code, 0);
  std::ofstream(m_dir.Narrow("text.tkvp")) << "not a result file\n";
  std::filesystem::copy_file(m_dir.Narrow("beam.tkvp"), m_dir.Narrow("cut.tkvp"));
  std::filesystem::resize_file(m_dir.Narrow("cut.tkvp"), 50);  // inside the first record
  {
    // Result 7401 whose values are all not finite.
    CResultFileBuilder file(m_dir.Wide("nan.tkvp"));
    file.Solver(L"S");
    file.CaseInfo(1, L"C");
    file.OutputSet(1.0, L"S1");
    file.IDList(PZAR_RECORD_TYPE::NODE_ID_LIST, {1, 2});
    file.Vector(7401, 0, {NAN, INFINITY});
    ASSERT_TRUE(file.Finish());
  }
  const std::string cut =
      "pvk: cannot open cut.tkvp: record 100 (solver information) id 0 at byte 12: body needs "
      "66 bytes, 30 left\n";
  const std::string noResult =
      "pvk: no result 4242: the step does not hold it (see 'pvk results beam.tkvp')\n";
  const std::string locations =
      "expected a location name or its number 1 to 7: facet element element-corner "
      "element-node point node ibm-volume-node\n";
  const struct {
    std::string args;
    int code;
    std::string err;  // empty: only the code matters
  } cases[] = {
      {"info missing.tkvp", 1, "pvk: cannot open missing.tkvp: no such file\n"},
      {"info text.tkvp", 1,
       "pvk: cannot open text.tkvp: format version 544501614 is not supported\n"},
      {"info cut.tkvp", 1, cut},
      {"echo cut.tkvp", 1, cut},
      {"values beam.tkvp --result 4242", 3, noResult},
      {"results beam.tkvp --subcase NONE", 3,
       "pvk: no sub-case \"NONE\": sub-cases: \"STATIC\", \"TRANSIENT\"\n"},
      {"values beam.tkvp --result 104 --units m,parsec", 2, ""},
      {"info beam.tkvp --bogus", 2, ""},
      {"legend beam.tkvp --result 4242", 3, noResult},
      {"legend beam.tkvp --result 104 --step 3", 3,
       "pvk: no step 3: the numbers go from 1 to 1 (steps: \"Step 1\")\n"},
      {"legend beam.tkvp --result 104 --ranks 1", 2,
       "pvk: legend: --ranks: Value 1 not in range 2 to 1000; see 'pvk legend --help'.\n"},
      {"legend beam.tkvp --result 104 --method median", 2,
       "pvk: legend: --method: median not in {interval,percent}; see 'pvk legend --help'.\n"},
      {"legend beam.tkvp --result 104 --loc 7", 3,
       "pvk: cannot show result 104 on grid cells: the file has no grids\n"},
      {"legend nan.tkvp --result 7401", 3,
       "pvk: no values of result 7401: the step has none that are finite; choose another step "
       "(see 'pvk values nan.tkvp --result 7401')\n"},
      {"calc beam.tkvp --expr '[A]+[B]' --operand 102 --operand 4242", 3,
       "pvk: no result 4242 at node: the step does not hold it (see 'pvk results beam.tkvp')\n"},
      {"calc beam.tkvp --expr '[A]*' --operand 102", 2,
       "pvk: bad --expr \"[A]*\": Unexpected end of expression at position 4\n"},
      {"calc beam.tkvp --expr '2[A]' --operand 102", 2,
       "pvk: bad --expr \"2[A]\": Unexpected variable \"[A]\" found at position 1\n"},
      {"calc beam.tkvp --expr '[A]+[B]' --operand 102", 2,
       "pvk: bad --expr \"[A]+[B]\": 2 operand tokens for 1 --operand\n"},
      {"calc beam.tkvp --expr '[A]+[B]' --operand 102@node --operand 312114@element", 2,
       "pvk: cannot compute \"[A]+[B]\": the operands are at different locations\n"},
      {"calc beam.tkvp --expr '[A]+[B]' --operand 102 --operand 7207", 2,
       "pvk: cannot compute \"[A]+[B]\": partial data object 0: operand 1 has 6 columns, "
       "operand 0 has 4\n"},
      {"calc beam.tkvp --expr '[A]' --operand 102@nod", 2,
       "pvk: bad --operand \"102@nod\": " + locations},
      {"calc beam.tkvp --expr '[A]' --operand 102@", 2,
       "pvk: bad --operand \"102@\": " + locations},
  };
  for (const auto& c : cases) ExpectRefused(c.args, c.code, c.err);
}

// A file cut inside the values of its last data vector opens with every complete step; info
// warns of what it passed over on standard error and prints the tree as always.
TEST_F(PvkCli, AFileCutInItsLastVectorOpensWithAWarning) {
  ASSERT_EQ(Run("sample beam --cells 1 --steps 2").code, 0);
  const std::string whole = m_dir.Narrow("beam.tkvp"), cut = m_dir.Narrow("cut.tkvp");
  std::filesystem::copy_file(whole, cut);
  std::filesystem::resize_file(cut, std::filesystem::file_size(whole) - 20);
  const TRun run = Run("info cut.tkvp --json");
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.err.rfind("pvk: warning: cut.tkvp: record 14 (data vector) id ", 0), 0u) << run.err;
  EXPECT_NE(run.err.find(": body needs "), std::string::npos) << run.err;
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
  const json info = json::parse(run.out);
  EXPECT_EQ(info["subcases"][1]["steps"].size(), 2u);
  EXPECT_EQ(info["records"].get<int>() + 1, Json("info beam.tkvp --json")["records"].get<int>());
}

// The echo file is in the system code page, whatever the locale; pvk echo prints UTF-8.
TEST_F(PvkCli, AKoreanCaseTitleEchoesAsItself) {
  const std::wstring title = L"\uD558\uC911";  // "load"
  {
    CResultFileBuilder file(m_dir.Wide("k.tkvp"));
    file.Solver(L"S");
    file.CaseInfo(1, title.c_str());
    file.OutputSet(1.0, L"S1");
    file.IDList(PZAR_RECORD_TYPE::NODE_ID_LIST, {1});
    file.Vector(102, 0, {1.0});
    ASSERT_TRUE(file.Finish());
  }
  const std::wstring line = L"CASE INFO : " + title + L"\n";
  const TRun echo = Run("echo k.tkvp", "LC_ALL=C");
  ASSERT_EQ(echo.code, 0) << echo.err;
  EXPECT_NE(echo.out.find(zar::lib::MConvertString::ToMultiByte(line, 65001)), std::string::npos);
  ASSERT_EQ(Run("info k.tkvp", "LC_ALL=C PVK_BATCH_OUTPUT=YES").code, 0);
  EXPECT_NE(Slurp(m_dir.Narrow("k.tkvp.ech")).find(zar::lib::MConvertString::ToMultiByte(line, 0)),
            std::string::npos);
}

}  // namespace

namespace {

// The shell examples of the README: each "$ " line is a command, the lines up to the next one
// what it prints ("..." where the README leaves the rest out).
struct TExample {
  std::string command;
  std::vector<std::string> shown;
};

std::vector<TExample> ReadmeExamples() {
  std::istringstream readme(Slurp(PVK_README));
  std::vector<TExample> examples;
  bool inBlock = false, open = false;  // open: the last example takes the lines that follow
  for (std::string line; std::getline(readme, line);) {
    if (line.rfind("```", 0) == 0) {
      inBlock = line == "```sh";
      open = false;
    } else if (inBlock && line.rfind("$ ", 0) == 0) {
      const std::size_t comment = line.find("  # ");
      examples.push_back(
          {line.substr(2, comment == std::string::npos ? comment : comment - 2), {}});
      open = true;
    } else if (open) {
      examples.back().shown.push_back(line);
    }
  }
  return examples;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// What the README shows is what pvk prints, in the README's order, from a fresh folder.
TEST_F(PvkCli, TheReadmeShowsWhatPvkPrints) {
  const std::vector<TExample> examples = ReadmeExamples();
  ASSERT_GT(examples.size(), 5u);
  const std::string home = "/home/me/";
  for (const TExample& example : examples) {
    std::ofstream(m_dir.Narrow("example.sh")) << "pvk() { '" PVK_BINARY "' \"$@\"; }\n"
                                              << example.command << "\n";
    const std::string cmd = "cd '" + m_dir.Narrow() + "' && bash example.sh >printed.txt 2>&1";
    ASSERT_NE(std::system(cmd.c_str()), -1);
    const std::vector<std::string> printed = Lines(Slurp(m_dir.Narrow("printed.txt")));
    for (std::size_t i = 0; i < example.shown.size(); ++i) {
      std::string shown = example.shown[i];
      if (shown == "...") break;
      if (shown.find(home) != std::string::npos)
        shown.replace(shown.find(home), home.size(), m_dir.Narrow());
      ASSERT_LT(i, printed.size()) << example.command;
      EXPECT_EQ(printed[i], shown) << example.command;
    }
  }
}

}  // namespace
