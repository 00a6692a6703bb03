#pragma once
// What info tells of a file's model: its node and element counts and its bounding box.
#include <array>
#include <cstdint>
#include <optional>

class CPvkSession;

struct TModelSummary {
  std::int32_t nodes = 0;
  std::int32_t elements = 0;
  // xmin, ymin, zmin, xmax, ymax, zmax; none when the file has no node positions.
  std::optional<std::array<double, 6>> bbox;
};

// From the model database the session builds of the file's node and element records.
TModelSummary SummariseModel(CPvkSession& session);
