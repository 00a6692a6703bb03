#include <CLI/CLI.hpp>
#include <filesystem>
#include <memory>

#include "PvkCommands.h"
#include "PvkError.h"
#include "SampleFile.h"

namespace {

struct TSampleArgs {
  std::string out;
  TSampleOptions sample;
};

void RunSample(const TSampleArgs& a, std::FILE* out) {
  std::filesystem::path path(a.out);
  if (!path.has_extension()) path += ".tkvp";
  std::filesystem::path outText = path;
  outText.replace_extension(".out");
  const std::string why = WriteSampleFiles(path.string(), outText.string(), a.sample);
  if (!why.empty()) throw CPvkError(PVK_EXIT_FILE, "cannot write " + path.string(), why);
  std::fprintf(out, "%s\n", path.string().c_str());
}

}  // namespace

TPvkCommand AddSampleCommand(CLI::App& app) {
  auto a = std::make_shared<TSampleArgs>();
  auto* cmd = app.add_subcommand("sample", "write the sample result file");
  cmd->add_option("OUT", a->out, "result file to write")->required();
  cmd->add_option("--cells", a->sample.cells, "cells across the section")
      ->check(CLI::Range(1, 200));
  cmd->add_option("--steps", a->sample.steps, "steps of the transient sub-case")
      ->check(CLI::Range(1, 10000));
  cmd->add_option("--real", a->sample.realWidth, "real width")->check(CLI::IsMember({4, 8}));
  cmd->add_option("--format", a->sample.format, "file format")->check(CLI::IsMember({130, 140}));
  return {cmd, [a](std::FILE* out) { RunSample(*a, out); }};
}
