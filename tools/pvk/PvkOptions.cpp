#include "PvkOptions.h"

#include <CLI/CLI.hpp>
#include <cmath>
#include <cstdlib>

namespace {

// --quiet, wherever on the command line it was given.
bool AskedQuiet(const CLI::App* cmd) {
  for (const CLI::App* app = cmd; app; app = app->get_parent())
    if (const CLI::Option* quiet = app->get_option_no_throw("--quiet"); quiet && quiet->count())
      return true;
  return false;
}

std::string CheckFinite(const std::string& text) {
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  return !text.empty() && *end == '\0' && std::isfinite(value) ? "" : "not a finite number";
}

}  // namespace

void AddFileOption(CLI::App* cmd, std::string& file) {
  cmd->add_option("FILE", file, "result file")->required();
}

void AddStepOptions(CLI::App* cmd, TStepSelect& select) {
  cmd->add_option("--subcase", select.subcase, "sub-case: 1-based index or exact name");
  auto* step = cmd->add_option("--step", select.step, "step: 1-based index or exact name");
  cmd->add_option_function<double>(
         "--step-value", [&select](const double& value) { select.value = value; },
         "the step whose value is nearest to this one")
      ->check(CLI::Validator(CheckFinite, "NUMBER"))
      ->excludes(step);
  cmd->final_callback([cmd, &select] { select.quiet = AskedQuiet(cmd); });
}

void AddValueFormatOptions(CLI::App* cmd, bool& json, bool& csv,
                           std::optional<std::string>& units) {
  auto* jsonFlag = cmd->add_flag("--json", json, "a JSON object");
  cmd->add_flag("--csv", csv, "comma-separated rows")->excludes(jsonFlag);
  cmd->add_option("--units", units,
                  "unit names separated by commas, such as m,kN or kip,in,sec; a kind not "
                  "named keeps the file's unit");
}
