#pragma once
// The man page and the bash completion script, written from the option tree of pvk.
#include <string>

namespace CLI {
class App;
}

std::string ManPage(const CLI::App& app);
std::string BashCompletion(const CLI::App& app);
