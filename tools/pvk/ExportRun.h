#pragma once
// What `pvk export` writes for an opened file: the steps and results asked for, as .vtu files
// and a .pvd collection in a folder.
#include <optional>
#include <string>
#include <vector>

#include "PvkOptions.h"

class CPvkSession;

struct TExportOptions {
  std::string file;  // as given: its stem names the files
  std::string out;
  TStepSelect select;
  bool allSteps = false;
  std::vector<std::string> results;  // none: every result on the nodes or elements
  std::optional<std::string> units;
  bool compress = false;
};

// The paths of the files written, the collection last. Throws CPvkError, leaving no file
// behind, when a step, result or unit is refused or a file cannot be written.
std::vector<std::string> ExportFiles(CPvkSession& session, const TExportOptions& o);
