// pvk: open, inspect and check result files without the host application.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <clocale>
#include <cstdio>
#include <string>

#include "PvkCommands.h"
#include "PvkError.h"
#include "TerminalProgress.h"
#include "base/MsgOut.h"

namespace {

void AddStepOptions(CLI::App* cmd, TStepSelect& select) {
  cmd->add_option("--subcase", select.subcase, "sub-case: 1-based index or exact name");
  cmd->add_option("--step", select.step, "step: 1-based index or exact name");
}

// With --quiet only warnings reach standard error.
void QuietMessages() {
  zar::lib::SetMsgSink([](zar::lib::EMsgLevel level, const CString& text) {
    if (level == zar::lib::EMsgLevel::Warning) std::fprintf(stderr, "pvk: %ls\n", text.GetString());
  });
}

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_CTYPE, "C.UTF-8");  // wide text goes out as UTF-8
  CLI::App app{"pvk - inspect finite-element result files", "pvk"};
  app.set_version_flag("--version", "pvk " PVK_VERSION);
  app.require_subcommand(1);
  bool quiet = false;
  app.add_flag("-q,--quiet", quiet, "no progress bar and no information messages");

  std::string file, out;
  bool json = false;
  TSampleOptions sample;
  TStepSelect select;
  TValuesOptions values;
  auto* cmdSample = app.add_subcommand("sample", "write the sample result file");
  cmdSample->add_option("OUT", out, "result file to write")->required();
  cmdSample->add_option("--cells", sample.cells, "cells across the section")
      ->check(CLI::Range(1, 200));
  cmdSample->add_option("--steps", sample.steps, "steps of the transient sub-case")
      ->check(CLI::Range(1, 10000));
  cmdSample->add_option("--real", sample.realWidth, "real width")->check(CLI::IsMember({4, 8}));
  cmdSample->add_option("--format", sample.format, "file format")->check(CLI::IsMember({130, 140}));

  auto* cmdInfo = app.add_subcommand("info", "print the case tree");
  cmdInfo->add_option("FILE", file, "result file")->required();
  cmdInfo->add_flag("--json", json, "one JSON object");

  auto* cmdEcho = app.add_subcommand("echo", "print the echo of every record");
  cmdEcho->add_option("FILE", file, "result file")->required();

  auto* cmdResults = app.add_subcommand("results", "list the results of a step");
  cmdResults->add_option("FILE", file, "result file")->required();
  AddStepOptions(cmdResults, select);
  cmdResults->add_flag("--json", json, "a JSON array");

  auto* cmdValues = app.add_subcommand("values", "print the values of a result");
  cmdValues->add_option("FILE", file, "result file")->required();
  cmdValues->add_option("--result", values.result, "result id")->required();
  cmdValues->add_option("--loc", values.loc, "location type")->check(CLI::Range(0, 7));
  AddStepOptions(cmdValues, values.select);
  auto* jsonFlag = cmdValues->add_flag("--json", values.json, "a JSON object");
  cmdValues->add_flag("--csv", values.csv, "comma-separated rows")->excludes(jsonFlag);
  cmdValues->add_option("--units", values.units, "LENGTH,FORCE, for example m,kN");

  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    std::fprintf(stderr, "pvk: usage: %s\n", e.what());
    return PVK_EXIT_USAGE;
  }
  if (quiet) QuietMessages();
  CTerminalProgress progress;
  if (!quiet && ::isatty(STDERR_FILENO)) zar_interface::IProgressBar::m_pInstance = &progress;
  std::string output;
  try {
    if (*cmdSample) output = RunSample(out, sample);
    if (*cmdInfo) output = RunInfo(file, json);
    if (*cmdEcho) output = RunEcho(file);
    if (*cmdResults) output = RunResults(file, select, json);
    if (*cmdValues) output = RunValues(file, values);
  } catch (const CPvkError& e) {
    zar_interface::IProgressBar::m_pInstance = nullptr;
    std::fprintf(stderr, "pvk: %s\n", e.what());
    return e.Code();
  }
  zar_interface::IProgressBar::m_pInstance = nullptr;
  std::fwrite(output.data(), 1, output.size(), stdout);
  return std::fflush(stdout) == 0 ? PVK_EXIT_OK : PVK_EXIT_FILE;
}
