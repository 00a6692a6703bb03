#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <string>

#include "PvkCommands.h"
#include "PvkError.h"
#include "PvkOptions.h"
#include "PvkText.h"
#include "base/ConvertString.h"
#include "resultfile/PZARFile.h"

using pvk_text::Utf8;

namespace {

void RunEcho(const std::string& path, std::FILE* out) {
  // The echo goes to a temporary file first: a scan that fails prints nothing.
  std::unique_ptr<FILE, int (*)(FILE*)> echo(std::tmpfile(), &std::fclose);
  if (!echo) throw CPvkError(PVK_EXIT_FILE, "cannot echo " + path, "no temporary file");
  CPZARFile file;
  const CString wide(zar::lib::MConvertString::ToWide(path, CP_UTF8));
  if (!file.ScanWithEcho(wide, echo.get()))
    throw CPvkError(PVK_EXIT_FILE, "cannot open " + path,
                    pvk_text::FirstReason(file.GetScanReasons(), "not a result file"));
  std::string text;
  std::rewind(echo.get());
  char buffer[1 << 16];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof(buffer), echo.get())) > 0;)
    text.append(buffer, n);
  // The echo is in the system code page, as the host writes it; pvk writes UTF-8.
  const std::string utf8 = Utf8(zar::lib::MConvertString::ToWide(text, 0));
  std::fwrite(utf8.data(), 1, utf8.size(), out);
}

}  // namespace

TPvkCommand AddEchoCommand(CLI::App& app) {
  auto file = std::make_shared<std::string>();
  auto* cmd = app.add_subcommand("echo", "print the echo of every record");
  AddFileOption(cmd, *file);
  return {cmd, [file](std::FILE* out) { RunEcho(*file, out); }};
}
