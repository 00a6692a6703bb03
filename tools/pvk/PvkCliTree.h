#pragma once
// Reading the option tree of pvk: the help, the man page and the completion script all list
// what the commands registered, so an option added anywhere appears in all three.
#include <string>
#include <vector>

namespace CLI {
class App;
class Option;
}  // namespace CLI

std::vector<std::string> CommandNames(const CLI::App& app);
// The command of that name, null when none.
const CLI::App* FindCommand(const CLI::App& app, const std::string& name);
// Options shown in help, positionals excluded.
std::vector<const CLI::Option*> NamedOptions(const CLI::App& app);
std::vector<const CLI::Option*> Positionals(const CLI::App& app);
// Every spelling of the shown options ("-q", "--quiet").
std::vector<std::string> OptionNames(const CLI::App& app);
std::vector<std::string> Spellings(const CLI::Option& opt);
// The option an argument names ("--cells=4" names --cells); null when none.
const CLI::Option* FindOption(const CLI::App& app, const std::string& arg);
bool TakesValue(const CLI::Option& opt);
// The captured default of an optional option that takes a value; empty when it has none.
std::string DefaultText(const CLI::Option& opt);
// The values an option takes when they form a closed list (location names, {4,8}); else empty.
std::vector<std::string> ValueWords(const CLI::Option& opt);
std::string JoinNames(const std::vector<std::string>& names, const std::string& separator);
