#include <filesystem>

#include "PvkCommands.h"
#include "PvkError.h"

std::string RunSample(const std::string& out, const TSampleOptions& options) {
  std::filesystem::path path(out);
  if (!path.has_extension()) path += ".tkvp";
  std::filesystem::path outText = path;
  outText.replace_extension(".out");
  const std::string why = WriteSampleFiles(path.string(), outText.string(), options);
  if (!why.empty()) throw CPvkError(PVK_EXIT_FILE, "cannot write " + path.string(), why);
  return path.string() + "\n";
}
