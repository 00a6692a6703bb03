// pvk: open, inspect and check result files without the host application.
#include <CLI/CLI.hpp>
#include <cstdio>

int main(int argc, char** argv) {
  CLI::App app{"pvk - inspect finite-element result files", "pvk"};
  app.set_version_flag("--version", "pvk " PVK_VERSION);
  app.footer("Commands that open result files come in later versions.");
  CLI11_PARSE(app, argc, argv);
  if (argc == 1) std::fputs(app.help().c_str(), stdout);
  return 0;
}
