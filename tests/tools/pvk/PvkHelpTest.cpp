#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "PvkRun.h"
#include "SampleFile.h"
#include "SampleModel.h"

namespace {

using pvk_test::PvkCli;
using pvk_test::Slurp;
using pvk_test::TRun;

// Every run reads an empty standard input: no terminal, so pvk never waits for an answer.
class PvkHelp : public PvkCli {
protected:
  void SetUp() override { ASSERT_EQ(Run("sample beam --cells 1 </dev/null").code, 0); }
  bool Exists(const std::string& name) { return std::filesystem::exists(m_dir.Narrow(name)); }
  // The completions of bash for the words (the last one is being typed), sorted, one a line.
  std::string Complete(const std::string& words) {
    const std::string script =
        "source ./pvk.bash; COMP_WORDS=(" + words +
        "); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _pvk; printf '%s\\n' \"${COMPREPLY[@]}\"";
    const std::string cmd =
        "cd '" + m_dir.Narrow() + "' && bash -c '" + Quoted(script) + "' | sort >completion.txt";
    EXPECT_EQ(std::system(cmd.c_str()), 0) << words;
    return Slurp(m_dir.Narrow("completion.txt"));
  }
  static std::string Quoted(const std::string& text) {
    std::string out;
    for (const char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out;
  }
};

TEST_F(PvkHelp, CommandLinesGiveHelpOrSayWhatIsWrong) {
  struct TCase {
    std::string args;
    int code;
    std::string err;  // the whole of standard error; "*" when only the code matters
    std::string outHas;
    std::string absent = "";  // a file the command must not have written
  };
  const std::string seeInfo = "See 'pvk info --help'.\n";
  const TCase cases[] = {
      {"", 2, "*", ""},
      {"help", 0, "", "Commands:\n"},
      {"help info", 0, "", "Usage: pvk info [OPTIONS] FILE"},
      {"info --help", 0, "", "Example:\n  pvk info"},
      {"help sample", 0, "", "cells across the section (default: 4)"},
      {"help inf", 2, "pvk: unknown command 'inf': did you mean 'info'? See 'pvk --help'.\n", ""},
      {"inf beam.tkvp", 2, "pvk: unknown command 'inf': did you mean 'info'? See 'pvk --help'.\n",
       ""},
      {"zzz", 2, "pvk: unknown command 'zzz': see 'pvk --help'.\n", ""},
      {"--qiet info beam.tkvp", 2,
       "pvk: unknown option '--qiet': did you mean '--quiet'? See 'pvk --help'.\n", ""},
      {"info beam.tkvp --jsn", 2, "pvk: unknown option '--jsn': did you mean '--json'? " + seeInfo,
       ""},
      {"info --jsn beam.tkvp", 2, "pvk: unknown option '--jsn': did you mean '--json'? " + seeInfo,
       ""},
      {"info beam.tkvp more", 2, "pvk: unexpected argument 'more': see 'pvk info --help'.\n", ""},
      {"info", 2, "pvk: info: FILE is required; see 'pvk info --help'.\n", ""},
      {"-q", 2, "*", ""},
      {"info beam.tkvp -q", 0, "", "STATIC"},
      {"sample b --cells 0", 2, "*", "", "b.tkvp"},
      {"sample b.v2", 2,
       "pvk: cannot write b.v2: pvk opens only files named *.tkvp; try b.v2.tkvp\n", "", "b.v2"},
      {"sample beam", 2,
       "pvk: cannot write beam.tkvp: beam.tkvp and beam.out exist; --force overwrites\n", ""},
      {"sample big --cells 100", 2, "*", "", "big.tkvp"},
      {"sample beam --cells 2 --force", 0, "", "beam.tkvp\n"},
      {"sample beam.tkvp.bak", 0, "", "beam.tkvp.bak\n"},
  };
  for (const TCase& c : cases) {
    const TRun run = Run(c.args + " </dev/null");
    EXPECT_EQ(run.code, c.code) << c.args << ": " << run.err;
    if (c.err != "*") {
      EXPECT_EQ(run.err, c.err) << c.args;
    }
    if (c.code != 0) {
      EXPECT_EQ(run.out, "") << c.args;
      EXPECT_EQ(run.err.rfind("pvk", 0), 0u) << c.args << ": " << run.err;
    }
    EXPECT_NE(run.out.find(c.outHas), std::string::npos) << c.args << ": " << run.out;
    if (!c.absent.empty()) {
      EXPECT_FALSE(Exists(c.absent)) << c.args;
    }
  }
  EXPECT_NE(Run("sample big --cells 100 </dev/null").err.find("more than 2 GB"), std::string::npos);
  EXPECT_TRUE(Exists("beam.tkvp.out"));  // where the reader of beam.tkvp.bak looks
}

// Every command has an example in its help, and the example runs.
TEST_F(PvkHelp, EveryCommandShowsAnExampleThatRuns) {
  ASSERT_EQ(Run("sample --ibm grid </dev/null").code, 0);  // what the probe example reads
  std::istringstream help(Run("help").out);
  std::string line;
  while (std::getline(help, line) && line != "Commands:") {
  }
  int commands = 0;
  while (std::getline(help, line) && !line.empty()) {
    const std::string name = line.substr(2, line.find(' ', 2) - 2);
    const std::string text = Run("help " + name).out;
    const std::size_t at = text.find("Example:\n  pvk ");
    ASSERT_NE(at, std::string::npos) << name;
    const std::size_t from = at + std::string("Example:\n  pvk ").size();
    const std::string example = text.substr(from, text.find('\n', from) - from);
    const TRun run = Run(example + " </dev/null");
    EXPECT_EQ(run.code, 0) << example << ": " << run.err;
    ++commands;
  }
  EXPECT_GE(commands, 6);
}

TEST_F(PvkHelp, ManPageIsWhatPvkWrites) {
  EXPECT_EQ(Run("--generate man").out, Slurp(PVK_MAN_PAGE))
      << "docs/pvk.1 is out of date: cmake --build <build dir> --target pvk_man";
}

TEST_F(PvkHelp, CompletionCompletesCommandsOptionsLocationsAndFiles) {
  std::ofstream(m_dir.Narrow("pvk.bash")) << Run("--generate bash").out;
  std::filesystem::create_directory(m_dir.Narrow("folder"));
  const struct {
    std::string words, expected;
  } cases[] = {
      {"pvk in", "info\n"},
      {"pvk -q res", "results\n"},
      {"pvk help v", "values\n"},
      {"pvk info b", "beam.tkvp\n"},
      {"pvk echo ''", "beam.tkvp\nfolder\n"},
      {"pvk sample beam.", "beam.out\nbeam.tkvp\n"},
      {"pvk values beam.tkvp --js", "--json\n"},
      {"pvk values beam.tkvp --loc element-", "element-corner\nelement-node\n"},
      {"pvk sample x --real ''", "4\n8\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(Complete(c.words), c.expected) << c.words;
}

// The size is known before writing, close enough to refuse what would pass 2 GB.
TEST(PvkSampleFile, SizeEstimateIsCloseToTheWrittenSize) {
  ScratchFolder dir;
  for (const TSampleOptions options :
       {TSampleOptions{1, 1, 4, 140}, TSampleOptions{3, 4, 8, 140}, TSampleOptions{5, 2, 4, 130},
        TSampleOptions{4, 1, 8, 130}}) {
    const std::string path = dir.Narrow("s.tkvp");
    ASSERT_EQ(WriteSampleFiles(path, dir.Narrow("s.out"), options), "");
    const double written = static_cast<double>(std::filesystem::file_size(path));
    EXPECT_NEAR(static_cast<double>(SampleFileBytes(options)), written, written * 0.05)
        << options.cells << " cells, " << options.steps << " steps, " << options.realWidth;
  }
}

// The text output carries the reactions as computed: a third of the load reads back exactly.
TEST(PvkSampleFile, TextOutputReadsBackToTheSameDoubles) {
  ScratchFolder dir;
  const TSampleOptions options{1, 3, 8, 140};
  ASSERT_EQ(WriteSampleFiles(dir.Narrow("s.tkvp"), dir.Narrow("s.out"), options), "");
  const std::string text = Slurp(dir.Narrow("s.out"));
  const std::size_t block = text.find("SUBCASE : TRANSIENT : Time (3.333e-01)");
  ASSERT_NE(block, std::string::npos);
  std::istringstream row(text.substr(text.find("SURF", block) + 4));
  double value[9] = {};
  for (double& v : value) row >> v;
  const double force = CSampleCantilever::kTipLoad / 3;
  EXPECT_EQ(value[5], force);
  EXPECT_EQ(value[7], -force * CSampleCantilever(1).Length());
}

}  // namespace
