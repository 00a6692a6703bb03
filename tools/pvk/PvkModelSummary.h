#pragma once
// What info tells of a file's model: its node and element counts and its bounding box, which
// holds the grids of a grid result file too.
#include <array>
#include <cstdint>
#include <optional>

class CPvkSession;

struct TModelSummary {
  std::int32_t nodes = 0;
  std::int32_t elements = 0;
  // xmin, ymin, zmin, xmax, ymax, zmax; none when the file has neither node positions nor
  // grids.
  std::optional<std::array<double, 6>> bbox;
};

// From the model database the session builds of the file's node and element records, and
// from the grid records of the file's mesh post unit.
TModelSummary SummariseModel(CPvkSession& session);
