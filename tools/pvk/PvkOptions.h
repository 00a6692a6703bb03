#pragma once
// Options that several commands share.
#include <optional>
#include <string>

namespace CLI {
class App;
}

// Which step a command reads: the sub-case by index or name, the step by index, name or
// nearest value.
struct TStepSelect {
  std::string subcase = "1";
  std::string step = "1";
  std::optional<double> value;  // --step-value: the step whose value is nearest
  bool quiet = false;           // --quiet: no note when the nearest value is not exact
};

void AddFileOption(CLI::App* cmd, std::string& file);
void AddStepOptions(CLI::App* cmd, TStepSelect& select);
// --json and --csv, which exclude each other, and --units.
void AddValueFormatOptions(CLI::App* cmd, bool& json, bool& csv, std::optional<std::string>& units);
