// pvk: open, inspect and check result files without the host application.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <clocale>
#include <cstdio>
#include <vector>

#include "PvkCommands.h"
#include "PvkError.h"
#include "TerminalProgress.h"
#include "base/MsgOut.h"

namespace {

// With --quiet only warnings reach standard error.
void QuietMessages() {
  zar::lib::SetMsgSink([](zar::lib::EMsgLevel level, const CString& text) {
    if (level == zar::lib::EMsgLevel::Warning) std::fprintf(stderr, "pvk: %ls\n", text.GetString());
  });
}

int Run(const TPvkCommand& command, bool quiet) {
  if (quiet) QuietMessages();
  CTerminalProgress progress;
  if (!quiet && ::isatty(STDERR_FILENO)) zar_interface::IProgressBar::m_pInstance = &progress;
  try {
    command.run(stdout);
  } catch (const CPvkError& e) {
    zar_interface::IProgressBar::m_pInstance = nullptr;
    std::fflush(stdout);
    std::fprintf(stderr, "pvk: %s\n", e.what());
    return e.Code();
  }
  zar_interface::IProgressBar::m_pInstance = nullptr;
  return std::fflush(stdout) == 0 && !std::ferror(stdout) ? PVK_EXIT_OK : PVK_EXIT_FILE;
}

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_CTYPE, "C.UTF-8");  // wide text goes out as UTF-8
  CLI::App app{"pvk - inspect finite-element result files", "pvk"};
  app.set_version_flag("--version", "pvk " PVK_VERSION);
  app.require_subcommand(1);
  bool quiet = false;
  app.add_flag("-q,--quiet", quiet, "no progress bar and no information messages");
  const std::vector<TPvkCommand> commands = {AddSampleCommand(app), AddInfoCommand(app),
                                             AddEchoCommand(app), AddResultsCommand(app),
                                             AddValuesCommand(app)};
  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    std::fprintf(stderr, "pvk: usage: %s\n", e.what());
    return PVK_EXIT_USAGE;
  }
  for (const TPvkCommand& command : commands)
    if (*command.cmd) return Run(command, quiet);
  return PVK_EXIT_USAGE;
}
