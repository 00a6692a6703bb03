// pvk: open, inspect and check result files without the host application.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <clocale>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "PvkCommands.h"
#include "PvkDocs.h"
#include "PvkError.h"
#include "PvkHelp.h"
#include "TerminalProgress.h"
#include "base/MsgOut.h"

namespace {

// With --quiet only warnings reach standard error.
void QuietMessages() {
  zar::lib::SetMsgSink([](zar::lib::EMsgLevel level, const CString& text) {
    if (level == zar::lib::EMsgLevel::Warning) std::fprintf(stderr, "pvk: %ls\n", text.GetString());
  });
}

// Standard output that clears the progress line before its first byte: both on one terminal.
std::FILE* OutAfterProgress(CTerminalProgress& progress) {
  cookie_io_functions_t io{};
  io.write = [](void* cookie, const char* data, std::size_t size) -> ssize_t {
    static_cast<CTerminalProgress*>(cookie)->Mute();
    return std::fwrite(data, 1, size, stdout) == size ? static_cast<ssize_t>(size) : -1;
  };
  std::FILE* out = ::fopencookie(&progress, "w", io);
  return out ? out : stdout;
}

// What the command opens, for the progress line.
void SayWhatOpens(const CLI::App& cmd) {
  const CLI::Option* file = cmd.get_option_no_throw("FILE");
  if (file && file->count() > 0)
    SayProgress("scanning " + std::filesystem::path(file->as<std::string>()).filename().string());
}

int RunCommand(const TPvkCommand& command, std::FILE* out, CTerminalProgress& progress) {
  try {
    command.run(out);
  } catch (const CPvkError& e) {
    std::fflush(out);
    progress.End();
    std::fprintf(stderr, "pvk: %s\n", e.what());
    return e.Code();
  }
  return std::fflush(out) == 0 && !std::ferror(out) ? PVK_EXIT_OK : PVK_EXIT_FILE;
}

int Run(const TPvkCommand& command, bool quiet) {
  if (quiet) QuietMessages();
  CTerminalProgress progress;
  const bool shown = !quiet && ::isatty(STDERR_FILENO);
  if (shown) zar_interface::IProgressBar::m_pInstance = &progress;
  SayWhatOpens(*command.cmd);
  std::FILE* out = shown && ::isatty(STDOUT_FILENO) ? OutAfterProgress(progress) : stdout;
  int code = RunCommand(command, out, progress);
  if (out != stdout && std::fclose(out) != 0 && code == PVK_EXIT_OK) code = PVK_EXIT_FILE;
  if (std::fflush(stdout) != 0 && code == PVK_EXIT_OK) code = PVK_EXIT_FILE;
  progress.End();
  zar_interface::IProgressBar::m_pInstance = nullptr;
  return code;
}

// The hidden --generate: the man page or the completion script, from the same option tree.
void AddGenerateOption(CLI::App& app) {
  app.add_option("--generate", "write the man page or the bash completion script")
      ->group("")
      ->check(CLI::IsMember({"man", "bash"}))
      ->each([&app](const std::string& what) {
        const std::string text = what == "man" ? ManPage(app) : BashCompletion(app);
        std::fwrite(text.data(), 1, text.size(), stdout);
        throw CLI::Success();
      });
}

}  // namespace

// A command fails with CPvkError, which Run() turns into an exit code; any other exception is a
// fault of the tool or exhausted memory, and ends the program with its message.
int main(int argc, char** argv) {       // NOLINT(bugprone-exception-escape)
  std::setlocale(LC_CTYPE, "C.UTF-8");  // wide text goes out as UTF-8
  CLI::App app{"pvk - inspect finite-element result files", "pvk"};
  PrepareHelp(app);
  app.set_version_flag("--version", "pvk " PVK_VERSION);
  app.require_subcommand(1);
  bool quiet = false;
  app.add_flag("-q,--quiet", quiet, "no progress bar and no information messages");
  AddGenerateOption(app);
  const std::vector<TPvkCommand> commands = {
      AddSampleCommand(app), AddInfoCommand(app),   AddEchoCommand(app),  AddResultsCommand(app),
      AddValuesCommand(app), AddCalcCommand(app),   AddProbeCommand(app), AddLegendCommand(app),
      AddExportCommand(app), AddRenderCommand(app), AddHelpCommand(app)};
  FinishHelp(app, quiet);
  if (argc < 2) {
    std::fputs(HelpText(app, "").c_str(), stderr);
    return PVK_EXIT_USAGE;
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    const std::string message = UsageMessage(app, e, {argv + 1, argv + argc});
    std::fprintf(stderr, "pvk: %s\n", message.c_str());
    return PVK_EXIT_USAGE;
  }
  for (const TPvkCommand& command : commands)
    if (*command.cmd) return Run(command, quiet);
  return PVK_EXIT_USAGE;
}
