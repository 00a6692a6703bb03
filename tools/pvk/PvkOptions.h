#pragma once
// Options that several commands share.
#include <string>

namespace CLI {
class App;
}

struct TStepSelect {
  std::string subcase = "1";
  std::string step = "1";
};

void AddFileOption(CLI::App* cmd, std::string& file);
void AddStepOptions(CLI::App* cmd, TStepSelect& select);
