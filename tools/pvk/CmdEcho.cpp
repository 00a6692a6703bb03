#include <cstdio>
#include <memory>

#include "PvkCommands.h"
#include "PvkError.h"
#include "base/ConvertString.h"
#include "resultfile/PZARFile.h"

std::string RunEcho(const std::string& path) {
  // The echo goes to a temporary file first: a scan that fails prints nothing.
  std::unique_ptr<FILE, int (*)(FILE*)> echo(std::tmpfile(), &std::fclose);
  if (!echo) throw CPvkError(PVK_EXIT_FILE, "cannot echo " + path, "no temporary file");
  CPZARFile file;
  const CString wide(zar::lib::MConvertString::ToWide(path, 65001));
  if (!file.ScanWithEcho(wide, echo.get()))
    throw CPvkError(PVK_EXIT_FILE, "cannot open " + path, "not a result file, or damaged");
  std::string text;
  std::rewind(echo.get());
  char buffer[1 << 16];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof(buffer), echo.get())) > 0;)
    text.append(buffer, n);
  return text;
}
