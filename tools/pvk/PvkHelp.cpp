#include "PvkHelp.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>
#include <memory>

#include "PvkCliTree.h"
#include "PvkError.h"
#include "PvkText.h"

namespace {

// One line each, run on the file that `pvk sample beam` writes (probe: `pvk sample --ibm grid`).
const std::map<std::string, std::string>& Examples() {
  static const std::map<std::string, std::string> examples = {
      {"sample", "pvk sample cantilever --cells 8 --steps 5"},
      {"info", "pvk info beam.tkvp --json"},
      {"echo", "pvk echo beam.tkvp"},
      {"results", "pvk results beam.tkvp --subcase TRANSIENT --step 3"},
      {"values", "pvk values beam.tkvp --result 104 --csv --units m,kN"},
      {"calc", "pvk calc beam.tkvp --expr '[T1]-[T3]*2' --operand 102 --operand 104"},
      {"probe", "pvk probe grid.tkvp --result 7401 --at 10,5,5 --json"},
      {"legend", "pvk legend beam.tkvp --result 7207 --method percent --ranks 5"},
      {"export", "pvk export beam.tkvp --out paraview --subcase TRANSIENT --all-steps"},
      {"render", "pvk render beam.tkvp --result 7207 --out beam.png --size 640x480 --view iso"},
      {"help", "pvk help values"},
  };
  return examples;
}

// Defaults go into the description, where they read as prose, not into the option column.
class CPvkFormatter : public CLI::Formatter {
public:
  std::string make_option_opts(const CLI::Option* opt) const override {
    std::string text;
    if (TakesValue(*opt) && !opt->get_type_name().empty()) text += " " + opt->get_type_name();
    if (opt->get_required()) text += " REQUIRED";
    return text;
  }
  std::string make_option_desc(const CLI::Option* opt) const override {
    const std::string fallback = DefaultText(*opt);
    return opt->get_description() + (fallback.empty() ? "" : " (default: " + fallback + ")");
  }
};

// Where to read more: "see 'pvk info --help'.", capitalised after a question.
std::string HelpHint(const CLI::App* cmd, bool capital = false) {
  return std::string(capital ? "See" : "see") + " 'pvk " + (cmd ? cmd->get_name() + " " : "") +
         "--help'.";
}

// "did you mean 'info'? See 'pvk --help'." or, with no near name, only where to look.
std::string Suggest(const std::string& typed, const std::vector<std::string>& names,
                    const CLI::App* cmd) {
  const std::string near = pvk_text::Nearest(typed, names);
  return near.empty() ? HelpHint(cmd) : "did you mean '" + near + "'? " + HelpHint(cmd, true);
}

std::string UnknownCommand(const CLI::App& app, const std::string& typed) {
  return "unknown command '" + typed + "': " + Suggest(typed, CommandNames(app), nullptr);
}

bool LooksLikeOption(const std::string& arg) {
  return arg.size() > 1 && arg[0] == '-' &&
         !(std::isdigit(static_cast<unsigned char>(arg[1])) || arg[1] == '.');
}

// An argument that the command did not take: an unknown option or one word too many.
std::string Unexpected(const CLI::App& app, const CLI::App* cmd, const std::string& arg) {
  if (!LooksLikeOption(arg)) return "unexpected argument '" + arg + "': " + HelpHint(cmd);
  const std::string name = arg.substr(0, arg.find('='));
  return "unknown option '" + name + "': " + Suggest(name, OptionNames(cmd ? *cmd : app), cmd);
}

// The message when no command was entered: the first word is not a command, or there is none.
std::string WithoutCommand(const CLI::App& app, const std::vector<std::string>& args) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (!LooksLikeOption(args[i])) return UnknownCommand(app, args[i]);
    const CLI::Option* opt = FindOption(app, args[i]);
    if (!opt) return Unexpected(app, nullptr, args[i]);
    if (TakesValue(*opt) && args[i].find('=') == std::string::npos) ++i;
  }
  return "no command: give one of " + JoinNames(CommandNames(app), ", ") + "; " + HelpHint(nullptr);
}

void PrintHelp(const CLI::App& app, const std::string& command, std::FILE* out) {
  if (!command.empty() && !FindCommand(app, command))
    throw CPvkError(PVK_EXIT_USAGE, "unknown command '" + command + "'",
                    Suggest(command, CommandNames(app), nullptr));
  const std::string text = HelpText(app, command);
  std::fwrite(text.data(), 1, text.size(), out);
}

}  // namespace

void PrepareHelp(CLI::App& app) {
  auto formatter = std::make_shared<CPvkFormatter>();
  formatter->label("SUBCOMMAND", "COMMAND");
  formatter->column_width(32);
  app.formatter(formatter);
  app.option_defaults()->always_capture_default();
  app.footer("Run 'pvk help COMMAND' for the options of a command.");
}

void FinishHelp(CLI::App& app, bool& quiet) {
  for (CLI::App* cmd : app.get_subcommands({})) {
    cmd->group("Commands");
    cmd->add_flag("-q,--quiet", quiet, "no progress bar and no information messages");
    const std::string example = CommandExample(cmd->get_name());
    if (!example.empty()) cmd->footer("Example:\n  " + example);
  }
}

TPvkCommand AddHelpCommand(CLI::App& app) {
  auto command = std::make_shared<std::string>();
  auto* cmd = app.add_subcommand("help", "print the help of pvk or of one command");
  cmd->add_option("COMMAND", *command, "the command to explain");
  const CLI::App* root = &app;
  return {cmd, [root, command](std::FILE* out) { PrintHelp(*root, *command, out); }};
}

std::string CommandExample(const std::string& command) {
  const auto it = Examples().find(command);
  return it == Examples().end() ? "" : it->second;
}

std::string HelpText(const CLI::App& app, const std::string& command) {
  if (command.empty())
    return app.get_formatter()->make_help(&app, "pvk", CLI::AppFormatMode::Normal);
  const CLI::App* cmd = FindCommand(app, command);
  return cmd->get_formatter()->make_help(cmd, "pvk " + command, CLI::AppFormatMode::Normal);
}

std::string UsageMessage(const CLI::App& app, const CLI::ParseError& error,
                         const std::vector<std::string>& args) {
  const std::vector<CLI::App*> entered = app.get_subcommands();
  if (entered.empty()) return WithoutCommand(app, args);
  const CLI::App* cmd = entered.front();
  // An unknown option explains the rest: "info --jsn" also lacks its FILE when --jsn took it.
  const std::vector<std::string> extras = app.remaining(true);
  if (!extras.empty()) {
    // Before the command's name it was meant for pvk itself.
    const auto name = std::find(args.begin(), args.end(), cmd->get_name());
    const bool before = std::find(args.begin(), name, extras.front()) != name;
    return Unexpected(app, before ? nullptr : cmd, extras.front());
  }
  return cmd->get_name() + ": " + error.what() + "; " + HelpHint(cmd);
}
