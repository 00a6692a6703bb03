#pragma once
// The commands of pvk. Each registers its subcommand and options on the application and
// returns how to run it; a run writes to `out` or throws CPvkError. A command that fails
// before its first line prints nothing on standard output.
#include <cstdio>
#include <functional>
#include <string>

#include "base/UnitIndex.h"

namespace CLI {
class App;
}
class CVResult;

struct TPvkCommand {
  CLI::App* cmd = nullptr;  // not owned: the application's
  std::function<void(std::FILE* out)> run;
};

TPvkCommand AddSampleCommand(CLI::App& app);
TPvkCommand AddInfoCommand(CLI::App& app);
TPvkCommand AddEchoCommand(CLI::App& app);
TPvkCommand AddResultsCommand(CLI::App& app);
TPvkCommand AddValuesCommand(CLI::App& app);
TPvkCommand AddCalcCommand(CLI::App& app);
TPvkCommand AddProbeCommand(CLI::App& app);
TPvkCommand AddLegendCommand(CLI::App& app);
TPvkCommand AddExportCommand(CLI::App& app);
TPvkCommand AddRenderCommand(CLI::App& app);

// The legend text of the result's unit in the given unit system ("N/mm^2").
std::string UnitText(const CVResult& vr, const zar::lib::T_UNIT_INDEX& units);
