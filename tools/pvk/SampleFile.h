#pragma once
// Writes the sample result file of the cantilever and the solver text output beside it.
#include <cstdint>
#include <string>

struct TSampleOptions {
  std::int32_t cells = 4;
  std::int32_t steps = 3;
  std::int32_t realWidth = 8;
  std::int32_t format = 140;
};

// Writes `path` and the reaction tables into `outPath`; the reason of a failure, or empty.
std::string WriteSampleFiles(const std::string& path, const std::string& outPath,
                             const TSampleOptions& options);
