#pragma once
// The commands of pvk. Each returns what it prints on standard output, or throws CPvkError;
// nothing is printed when a command fails.
#include <cstdint>
#include <string>

#include "SampleFile.h"
#include "base/UnitIndex.h"

class CVResult;

struct TStepSelect {
  std::string subcase = "1";
  std::string step = "1";
};

struct TValuesOptions {
  std::int32_t result = 0;
  std::int32_t loc = -1;  // -1: the lowest location type of the result
  TStepSelect select;
  bool json = false;
  bool csv = false;
  std::string units;  // "LENGTH,FORCE", empty for the file's units
};

std::string RunSample(const std::string& out, const TSampleOptions& options);
std::string RunInfo(const std::string& path, bool json);
std::string RunEcho(const std::string& path);
std::string RunResults(const std::string& path, const TStepSelect& select, bool json);
std::string RunValues(const std::string& path, const TValuesOptions& options);

// The legend text of the result's unit in the given unit system ("N/mm^2").
std::string UnitText(const CVResult& vr, const zar::lib::T_UNIT_INDEX& units);
