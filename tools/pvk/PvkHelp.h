#pragma once
// Help of pvk taken from its option tree: defaults, one example per command, `pvk help`, and
// usage errors that name what was wrong and the nearest valid name.
#include <string>
#include <vector>

#include "PvkCommands.h"

namespace CLI {
class App;
class ParseError;
}  // namespace CLI

// Before the commands register their options: the help layout and captured defaults.
void PrepareHelp(CLI::App& app);
// After they did: the examples, and -q/--quiet accepted after every command.
void FinishHelp(CLI::App& app, bool& quiet);
TPvkCommand AddHelpCommand(CLI::App& app);

// The example line of a command ("pvk info beam.tkvp --json"); empty when it has none.
std::string CommandExample(const std::string& command);
// The help text of the application (empty `command`) or of one command.
std::string HelpText(const CLI::App& app, const std::string& command);
// The one-line message of a command line that does not parse, without the "pvk: " prefix.
std::string UsageMessage(const CLI::App& app, const CLI::ParseError& error,
                         const std::vector<std::string>& args);
