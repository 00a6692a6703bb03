#include "PvkDocs.h"

#include <CLI/CLI.hpp>
#include <sstream>
#include <utility>

#include "PvkCliTree.h"
#include "PvkError.h"
#include "PvkHelp.h"

namespace {

const std::pair<EPvkExit, const char*> kExitMeanings[] = {
    {PVK_EXIT_OK, "success"},
    {PVK_EXIT_FILE, "a file cannot be opened, read or written"},
    {PVK_EXIT_USAGE, "the command line is wrong, or a refusal that --force overrides"},
    {PVK_EXIT_MISSING, "no such sub-case, step or result, or no grid value at a probed point"},
};

// Text as roff reads it: backslashes and dashes literal, no line taken for a request.
std::string Roff(const std::string& text) {
  std::string out;
  bool lineStart = true;
  for (const char c : text) {
    if (lineStart && (c == '.' || c == '\'')) out += "\\&";
    if (c == '\\') {
      out += "\\e";
    } else if (c == '-') {
      out += "\\-";
    } else {
      out += c;
    }
    lineStart = c == '\n';
  }
  return out;
}

std::string OptionTerm(const CLI::Option& opt) {
  std::string term;
  for (const std::string& name : Spellings(opt))
    term += (term.empty() ? "" : ", ") + ("\\fB" + Roff(name) + "\\fR");
  if (opt.get_positional()) term = "\\fI" + Roff(opt.get_name(true)) + "\\fR";
  if (TakesValue(opt) && !opt.get_positional())
    term += " \\fI" + Roff(opt.get_type_name()) + "\\fR";
  return term;
}

void Options(std::ostringstream& man, const std::vector<const CLI::Option*>& options) {
  for (const CLI::Option* opt : options) {
    const std::string fallback = DefaultText(*opt);
    man << ".TP\n"
        << OptionTerm(*opt) << "\n"
        << Roff(opt->get_description() + (fallback.empty() ? "" : " (default: " + fallback + ")"))
        << "\n";
  }
}

std::string Usage(const CLI::App& cmd) {
  std::string usage = "pvk " + cmd.get_name() + " [OPTIONS]";
  for (const CLI::Option* opt : Positionals(cmd)) {
    const std::string name = opt->get_name(true);
    usage += " " + (opt->get_required() ? name : "[" + name + "]");
  }
  return usage;
}

void Command(std::ostringstream& man, const CLI::App& cmd) {
  man << ".SS \"" << Roff(Usage(cmd)) << "\"\n" << Roff(cmd.get_description()) << "\n";
  Options(man, Positionals(cmd));
  Options(man, NamedOptions(cmd));
  const std::string example = CommandExample(cmd.get_name());
  if (!example.empty()) man << ".PP\nExample:\n.RS\n.nf\n" << Roff(example) << "\n.fi\n.RE\n";
}

// One bash word list.
std::string Words(const std::vector<std::string>& words) {
  return "'" + JoinNames(words, " ") + "'";
}

// The case arms that complete the value of an option: its closed list, or nothing.
void ValueArms(std::ostringstream& sh, const CLI::App& cmd) {
  for (const CLI::Option* opt : NamedOptions(cmd)) {
    if (!TakesValue(*opt)) continue;
    sh << "    " << JoinNames(Spellings(*opt), "|") << ") _pvk_words " << Words(ValueWords(*opt))
       << "; return ;;\n";
  }
}

void CommandArms(std::ostringstream& sh, const CLI::App& app) {
  for (const CLI::App* cmd : app.get_subcommands({})) {
    const std::vector<const CLI::Option*> positionals = Positionals(*cmd);
    sh << "  " << cmd->get_name() << ")\n    case $prev in\n";
    ValueArms(sh, *cmd);
    sh << "    esac\n    [[ $cur == -* ]] && { _pvk_words " << Words(OptionNames(*cmd))
       << "; return; }\n";
    if (cmd->get_name() == "help") {
      sh << "    _pvk_words " << Words(CommandNames(app)) << " ;;\n";
    } else if (!positionals.empty() && positionals.front()->get_name(true) == "FILE") {
      sh << "    _pvk_files '!*.[tT][kK][vV][pP]' ;;\n";
    } else {
      sh << "    _pvk_files '' ;;\n";
    }
  }
}

}  // namespace

std::string ManPage(const CLI::App& app) {
  const std::string about = app.get_description();
  const std::size_t dash = about.find(" - ");
  std::ostringstream man;
  man << ".TH PVK 1 \"\" \"QVE_pvk\" \"User Commands\"\n"
      << ".SH NAME\npvk \\- " << Roff(dash == std::string::npos ? about : about.substr(dash + 3))
      << "\n.SH SYNOPSIS\n.B pvk\n[\\fIOPTIONS\\fR] \\fICOMMAND\\fR [\\fIARGS\\fR]\n"
      << ".SH OPTIONS\n";
  Options(man, NamedOptions(app));
  man << ".SH COMMANDS\n";
  for (const CLI::App* cmd : app.get_subcommands({})) Command(man, *cmd);
  man << ".SH EXIT STATUS\n";
  for (const auto& [code, meaning] : kExitMeanings)
    man << ".TP\n" << static_cast<int>(code) << "\n" << Roff(meaning) << "\n";
  man << ".SH FILES\n.TP\n\\fIFILE\\fR.out\nthe solver's text output beside a result file; its "
         "reaction forces are read with the file\n";
  return man.str();
}

std::string BashCompletion(const CLI::App& app) {
  std::ostringstream sh;
  sh << "# bash completion of pvk, written by 'pvk --generate bash'.\n"
        "_pvk_words() { mapfile -t COMPREPLY < <(compgen -W \"$1\" -- \"$cur\"); }\n"
        "# Files matching the filter (compgen -X), and folders to walk into.\n"
        "_pvk_files() {\n"
        "  compopt -o filenames 2>/dev/null\n"
        "  [[ -z $1 ]] && { mapfile -t COMPREPLY < <(compgen -f -- \"$cur\"); return; }\n"
        "  mapfile -t COMPREPLY < <(compgen -f -X \"$1\" -- \"$cur\"; compgen -d -- \"$cur\")\n"
        "}\n"
        "_pvk() {\n"
        "  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} cmd= i\n"
        "  for ((i = 1; i < COMP_CWORD; i++)); do\n"
        "    [[ ${COMP_WORDS[i]} == -* ]] || { cmd=${COMP_WORDS[i]}; break; }\n"
        "  done\n"
        "  COMPREPLY=()\n"
        "  case $cmd in\n"
        "  '')\n    [[ $cur == -* ]] && { _pvk_words "
     << Words(OptionNames(app)) << "; return; }\n    _pvk_words " << Words(CommandNames(app))
     << " ;;\n";
  CommandArms(sh, app);
  sh << "  esac\n}\ncomplete -F _pvk pvk\n";
  return sh.str();
}
