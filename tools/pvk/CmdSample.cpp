#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "PvkCommands.h"
#include "PvkError.h"
#include "SampleFile.h"
#include "SampleIbm.h"
#include "TerminalProgress.h"
#include "base/ConvertString.h"
#include "base/FileCtrl.h"
#include "resultfile/PZARFileManager.h"

namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t kSampleLimitBytes = 2ull << 30;  // 2 GB
constexpr double kBytesPerGB = 1024.0 * 1024.0 * 1024.0;

struct TSampleArgs {
  std::string out;
  bool force = false;
  bool ibm = false;
  TSampleOptions sample;
};

CString Wide(const std::string& utf8) { return zar::lib::MConvertString::ToWide(utf8, CP_UTF8); }

// pvk opens what the post file manager takes, and it judges the full path.
bool Openable(const fs::path& path) {
  std::error_code ec;
  const fs::path full = fs::absolute(path, ec).lexically_normal();
  CString upper = Wide(full.string());
  upper.MakeUpper();
  return !ec && CPZARFileManager(nullptr).ValidateExtension(upper) != 0;
}

fs::path ResultPath(const std::string& out) {
  fs::path path(out);
  if (!path.has_extension()) path += ".tkvp";
  if (fs::is_directory(path))
    throw CPvkError(PVK_EXIT_USAGE, "cannot write " + path.string(), "it is a folder");
  if (!Openable(path))
    throw CPvkError(PVK_EXIT_USAGE, "cannot write " + path.string(),
                    "pvk opens only files named *.tkvp; try " + path.string() + ".tkvp");
  return path;
}

// The reader looks for the text output beside the file under its name without extension.
fs::path TextOutputPath(const fs::path& path) {
  const CString base = zar::lib::MFileCtrl::GetFilePathName(Wide(path.string()).GetString());
  const fs::path name = fs::path(zar::lib::MConvertString::ToMultiByte(base.str(), CP_UTF8));
  return path.parent_path() / (name.filename().string() + ".out");
}

void CheckSize(const fs::path& path, const TSampleArgs& a) {
  const std::uint64_t bytes = SampleFileBytes(a.sample);
  if (bytes <= kSampleLimitBytes || a.force) return;
  char size[32];
  std::snprintf(size, sizeof(size), "%.1f GB", static_cast<double>(bytes) / kBytesPerGB);
  throw CPvkError(
      PVK_EXIT_USAGE, "cannot write " + path.string(),
      std::string("it would take about ") + size + ", more than 2 GB; --force writes it");
}

// On a terminal the user decides; elsewhere nobody can, and nothing is overwritten.
bool MayOverwrite(const std::string& existing) {
  if (!::isatty(STDIN_FILENO)) return false;
  std::fprintf(stderr, "pvk: overwrite %s? [y/N] ", existing.c_str());
  char answer[16] = {};
  return std::fgets(answer, sizeof(answer), stdin) && (answer[0] == 'y' || answer[0] == 'Y');
}

void CheckOverwrite(const fs::path& path, const fs::path& text, bool force) {
  std::string existing;
  for (const fs::path& file : {path, text}) {
    std::error_code ec;
    if (fs::exists(file, ec)) existing += (existing.empty() ? "" : " and ") + file.string();
  }
  if (force || existing.empty() || MayOverwrite(existing)) return;
  throw CPvkError(PVK_EXIT_USAGE, "cannot write " + path.string(),
                  existing + (existing.find(" and ") == std::string::npos ? " exists" : " exist") +
                      "; --force overwrites");
}

// The grid sample is small and has no text output beside it.
void RunIbmSample(const fs::path& path, bool force, std::FILE* out) {
  CheckOverwrite(path, fs::path(), force);
  SayProgress("writing " + path.filename().string());
  const std::string why = WriteIbmSampleFile(path.string());
  if (!why.empty()) throw CPvkError(PVK_EXIT_FILE, "cannot write " + path.string(), why);
  std::fprintf(out, "%s\n", path.string().c_str());
}

void RunSample(const TSampleArgs& a, std::FILE* out) {
  const fs::path path = ResultPath(a.out);
  if (a.ibm) return RunIbmSample(path, a.force, out);
  const fs::path text = TextOutputPath(path);
  CheckSize(path, a);
  CheckOverwrite(path, text, a.force);
  SayProgress("writing " + path.filename().string());
  const std::string why = WriteSampleFiles(path.string(), text.string(), a.sample);
  if (!why.empty()) throw CPvkError(PVK_EXIT_FILE, "cannot write " + path.string(), why);
  std::fprintf(out, "%s\n", path.string().c_str());
}

}  // namespace

TPvkCommand AddSampleCommand(CLI::App& app) {
  auto a = std::make_shared<TSampleArgs>();
  auto* cmd = app.add_subcommand("sample", "write the sample result file");
  cmd->add_option("OUT", a->out, "result file to write; .tkvp is added when it has no extension")
      ->required();
  auto* cells = cmd->add_option("--cells", a->sample.cells, "cells across the section")
                    ->check(CLI::Range(1, 200));
  auto* steps = cmd->add_option("--steps", a->sample.steps, "steps of the transient sub-case")
                    ->check(CLI::Range(1, 10000));
  auto* real =
      cmd->add_option("--real", a->sample.realWidth, "real width")->check(CLI::IsMember({4, 8}));
  auto* format = cmd->add_option("--format", a->sample.format, "file format")
                     ->check(CLI::IsMember({130, 140}));
  cmd->add_flag("--ibm", a->ibm,
                "write the grid sample instead: two parts on grids of linear and quadratic cells")
      ->excludes(cells)
      ->excludes(steps)
      ->excludes(real)
      ->excludes(format);
  cmd->add_flag("--force", a->force, "overwrite existing files and write samples over 2 GB");
  return {cmd, [a](std::FILE* out) { RunSample(*a, out); }};
}
