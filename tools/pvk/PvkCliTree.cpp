#include "PvkCliTree.h"

#include <CLI/CLI.hpp>

#include "PvkText.h"

std::vector<std::string> CommandNames(const CLI::App& app) {
  std::vector<std::string> names;
  for (const CLI::App* cmd : app.get_subcommands({})) names.push_back(cmd->get_name());
  return names;
}

const CLI::App* FindCommand(const CLI::App& app, const std::string& name) {
  for (const CLI::App* cmd : app.get_subcommands({}))
    if (cmd->get_name() == name) return cmd;
  return nullptr;
}

std::vector<const CLI::Option*> NamedOptions(const CLI::App& app) {
  return app.get_options(
      [](const CLI::Option* opt) { return opt->nonpositional() && !opt->get_group().empty(); });
}

std::vector<const CLI::Option*> Positionals(const CLI::App& app) {
  return app.get_options([](const CLI::Option* opt) { return opt->get_positional(); });
}

std::vector<std::string> Spellings(const CLI::Option& opt) {
  std::vector<std::string> names;
  for (const std::string& s : opt.get_snames()) names.push_back("-" + s);
  for (const std::string& l : opt.get_lnames()) names.push_back("--" + l);
  return names;
}

std::vector<std::string> OptionNames(const CLI::App& app) {
  std::vector<std::string> names;
  for (const CLI::Option* opt : NamedOptions(app))
    for (const std::string& name : Spellings(*opt)) names.push_back(name);
  return names;
}

const CLI::Option* FindOption(const CLI::App& app, const std::string& arg) {
  if (arg.size() < 2 || arg[0] != '-') return nullptr;
  return app.get_option_no_throw(arg.substr(0, arg.find('=')));
}

bool TakesValue(const CLI::Option& opt) { return opt.get_expected_max() != 0; }

std::string DefaultText(const CLI::Option& opt) {
  return TakesValue(opt) && !opt.get_required() ? opt.get_default_str() : "";
}

std::vector<std::string> ValueWords(const CLI::Option& opt) {
  const std::vector<std::string>& lnames = opt.get_lnames();
  if (std::find(lnames.begin(), lnames.end(), "loc") != lnames.end())
    return pvk_text::LocationNames();
  // A check against a set describes itself as "{a,b,c}" after the type.
  const std::string type = opt.get_type_name();
  const std::size_t open = type.find('{');
  if (open == std::string::npos || type.back() != '}') return {};
  std::vector<std::string> words;
  std::string word;
  for (const char c : type.substr(open + 1)) {
    if (c != ',' && c != '}') {
      word += c;
    } else if (!word.empty()) {
      words.push_back(word);
      word.clear();
    }
  }
  return words;
}

std::string JoinNames(const std::vector<std::string>& names, const std::string& separator) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : separator) + name;
  return text;
}
