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

// About how many bytes the result file of these options takes, known before writing it.
std::uint64_t SampleFileBytes(const TSampleOptions& options);

// Writes `path` and the reaction tables into `outPath`; the reason of a failure, or empty.
// Both appear whole or not at all: a failed write leaves no file behind.
std::string WriteSampleFiles(const std::string& path, const std::string& outPath,
                             const TSampleOptions& options);
