#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "PvkRun.h"
#include "SampleModel.h"

namespace {

using nlohmann::json;
using pvk_test::PvkCli;
using pvk_test::TRun;

constexpr int kCells = 2;
constexpr int kSteps = 5;       // transient values 0.2, 0.4, ... 1
constexpr int kManySteps = 25;  // folded in the text of info

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::size_t CountLines(const std::string& text, const std::string& start) {
  std::istringstream lines(text);
  std::size_t count = 0;
  for (std::string line; std::getline(lines, line);) count += line.rfind(start, 0) == 0;
  return count;
}

class PvkInfo : public PvkCli {
protected:
  void SetUp() override {
    const std::string args = " --cells " + std::to_string(kCells) + " --real 4 --steps ";
    ASSERT_EQ(Run("sample beam" + args + std::to_string(kSteps)).code, 0);
    ASSERT_EQ(Run("sample many" + args + std::to_string(kManySteps)).code, 0);
  }
  void WriteInts(const std::string& name, std::initializer_list<std::int32_t> ints) {
    std::ofstream out(m_dir.Narrow(name), std::ios::binary);
    for (const std::int32_t v : ints) out.write(reinterpret_cast<const char*>(&v), sizeof(v));
  }
};

TEST_F(PvkInfo, TellsTheModelUnitsAndNumberedStepsInTheFilesPrecision) {
  const TRun raw = Run("info beam.tkvp --json");
  ASSERT_EQ(raw.code, 0) << raw.err;
  EXPECT_EQ(raw.out.rfind("{\"schema_version\": 1, ", 0), 0u);
  EXPECT_NE(raw.out.find("\"value\": 0.2, "), std::string::npos);  // a 4-byte 0.2
  const json info = json::parse(raw.out);
  const CSampleCantilever beam(kCells);
  EXPECT_EQ(info["nodes"], beam.NodeCount());
  EXPECT_EQ(info["elements"], beam.ElemCount());
  std::array<double, 6> box = {1e300, 1e300, 1e300, -1e300, -1e300, -1e300};
  for (std::int32_t n = 0; n < beam.NodeCount(); ++n)
    for (std::size_t a = 0; a < 3; ++a) {
      box[a] = std::min(box[a], beam.NodePos(n)[a]);
      box[a + 3] = std::max(box[a + 3], beam.NodePos(n)[a]);
    }
  EXPECT_EQ(info["bbox"].get<std::vector<double>>(), std::vector<double>(box.begin(), box.end()));
  EXPECT_EQ(info["units"], json::parse(R"({"force": "N", "length": "mm", "temperature": "C",
                                           "time": "sec", "energy": "J"})"));
  EXPECT_EQ(info["subcases"][1]["number"], 2);
  EXPECT_EQ(info["subcases"][1]["steps"][kSteps - 1]["number"], kSteps);

  const TRun text = Run("info beam.tkvp");
  ASSERT_EQ(text.code, 0) << text.err;
  EXPECT_NE(text.out.find("\n  units     force N, length mm, temperature C, time sec, energy J\n"
                          "  model     " +
                          std::to_string(beam.NodeCount()) + " nodes, " +
                          std::to_string(beam.ElemCount()) + " elements\n"),
            std::string::npos)
      << text.out;
  EXPECT_NE(text.out.find("\nsub-case 2  TRANSIENT  (analysis type 2, 5 steps)\n"
                          "  step 1  Time (2.000e-01)  value 0.2  "),
            std::string::npos)
      << text.out;
}

TEST_F(PvkInfo, FoldsLongStepListsUnlessAll) {
  struct TCase {
    std::string args;
    std::size_t stepLines;
    bool folded;
  } const cases[] = {
      {"info beam.tkvp", 1 + kSteps, false},
      {"info many.tkvp", 1 + 6, true},
      {"info many.tkvp --all", 1 + kManySteps, false},
  };
  for (const TCase& c : cases) {
    const TRun run = Run(c.args);
    ASSERT_EQ(run.code, 0) << c.args << ": " << run.err;
    EXPECT_EQ(CountLines(run.out, "  step "), c.stepLines) << c.args;
    EXPECT_EQ(
        run.out.find("  ... 19 of 25 steps not shown (--all lists them)\n") != std::string::npos,
        c.folded)
        << c.args;
  }
}

// Steps by index, name and nearest value, and the note of a value that is not exact.
TEST_F(PvkInfo, ResultsOfTheChosenStep) {
  struct TCase {
    std::string args;
    int subcase, step;
    std::string err;
  } const cases[] = {
      {"results beam.tkvp --json", 1, 1, ""},
      {"results beam.tkvp --json --subcase TRANSIENT --step 3", 2, 3, ""},
      {"results beam.tkvp --json --subcase 2 --step 'Time (4.000e-01)'", 2, 2, ""},
      {"results beam.tkvp --json --subcase 2 --step-value 0.6", 2, 3, ""},
      {"results beam.tkvp --json --subcase 2 --step-value 0.75", 2, 4,
       "pvk: note: no step has the value 0.75; the nearest is step 4 \"Time (8.000e-01)\" at "
       "0.8\n"},
      {"-q results beam.tkvp --json --subcase 2 --step-value 0.75", 2, 4, ""},
  };
  for (const TCase& c : cases) {
    const TRun run = Run(c.args);
    ASSERT_EQ(run.code, 0) << c.args << ": " << run.err;
    EXPECT_EQ(run.err, c.err) << c.args;
    const json r = json::parse(run.out);
    EXPECT_EQ(r["subcase"]["number"], c.subcase) << c.args;
    EXPECT_EQ(r["step"]["number"], c.step) << c.args;
    EXPECT_EQ(r["step"]["value"], c.subcase == 1 ? 1.0 : double(c.step) / kSteps) << c.args;
  }
}

TEST_F(PvkInfo, ResultsByLocationNameAndGrep) {
  const TRun raw = Run("results beam.tkvp --json");
  EXPECT_EQ(raw.out.rfind("{\"schema_version\": 1, ", 0), 0u) << raw.out;
  const json all = json::parse(raw.out);
  const json found = Json("results beam.tkvp --json --grep 'von_MISES'");
  std::size_t expected = 0;
  for (const json& r : all["results"]) {
    expected += Lower(r["name"]).find("von mises") != std::string::npos;
    const int loc = r["loc"];
    if (loc == 6 || loc == 2) {
      EXPECT_EQ(r["location"], loc == 6 ? "node" : "element");
    }
  }
  ASSERT_GT(expected, 0u);
  EXPECT_EQ(found["results"].size(), expected);

  const TRun text = Run("results beam.tkvp --subcase 2 --step 3 --grep 'von mises'");
  ASSERT_EQ(text.code, 0) << text.err;
  const std::string header =
      "beam.tkvp  sub-case 2 \"TRANSIENT\"  step 3 \"Time (6.000e-01)\" "
      "(value 0.6)  " +
      std::to_string(expected) + " of " + std::to_string(all["results"].size()) + " results\n";
  ASSERT_EQ(text.out.rfind(header, 0), 0u) << text.out;
  // The name column starts where its heading does on every row.
  const std::size_t headings = header.size();
  const std::size_t nameAt = text.out.find("name", headings) - headings;
  for (const json& r : found["results"]) {
    const std::size_t at = text.out.find(r["name"].get<std::string>());
    ASSERT_NE(at, std::string::npos) << r["name"];
    EXPECT_EQ(at - (text.out.rfind('\n', at) + 1), nameAt) << text.out;
  }
}

TEST_F(PvkInfo, UnknownNamesAndRefusedFiles) {
  std::ofstream(m_dir.Narrow("empty.tkvp")).close();
  std::filesystem::copy_file(m_dir.Narrow("beam.tkvp"), m_dir.Narrow("beam.dat"));
  WriteInts("old.tkvp", {120, 0});
  WriteInts("odd.tkvp", {130, 0, 9999, 0});
  struct TCase {
    std::string args;
    int code;
    std::string message;
  } const cases[] = {
      {"results beam.tkvp --subcase STATC", 3,
       R"x(no sub-case "STATC": did you mean "STATIC"? (sub-cases: "STATIC", "TRANSIENT"))x"},
      {"results beam.tkvp --subcase 2 --step 'time (2.000e-01)'", 3,
       R"x(no step "time (2.000e-01)": did you mean "Time (2.000e-01)"? (steps: )x"
       R"x("Time (2.000e-01)", "Time (4.000e-01)", "Time (6.000e-01)", "Time (8.000e-01)", )x"
       R"x("Time (1.000e+00)"))x"},
      {"results many.tkvp --subcase 2 --step 26", 3,
       R"x(no step 26: the numbers go from 1 to 25 (steps: "Time (4.000e-02)", )x"
       R"x("Time (8.000e-02)", "Time (1.200e-01)", "Time (1.600e-01)", "Time (2.000e-01)", )x"
       R"x("Time (2.400e-01)", "Time (2.800e-01)", "Time (3.200e-01)", ... (25 in all)))x"},
      {"results beam.tkvp --step-value 1e999", 2, ""},
      {"info empty.tkvp", 1, "cannot open empty.tkvp: the file is empty"},
      {"info beam.dat", 1, R"x(cannot open beam.dat: a result file's name must contain ".tkvp")x"},
      {"info old.tkvp", 1, "cannot open old.tkvp: format version 120 is not supported"},
      {"info odd.tkvp", 1,
       "cannot open odd.tkvp: record type 9999 at byte 8 is unknown in format 130"},
  };
  for (const TCase& c : cases)
    ExpectRefused(c.args, c.code, c.message.empty() ? "" : "pvk: " + c.message + "\n");
}

}  // namespace
