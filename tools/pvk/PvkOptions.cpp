#include "PvkOptions.h"

#include <CLI/CLI.hpp>

void AddFileOption(CLI::App* cmd, std::string& file) {
  cmd->add_option("FILE", file, "result file")->required();
}

void AddStepOptions(CLI::App* cmd, TStepSelect& select) {
  cmd->add_option("--subcase", select.subcase, "sub-case: 1-based index or exact name");
  cmd->add_option("--step", select.step, "step: 1-based index or exact name");
}
