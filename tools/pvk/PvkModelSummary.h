#pragma once
// What info tells of a file's model: its node and element counts and its bounding box, which
// holds the grids of a grid result file too.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

class CMPUPost;
class CPvkSession;

// xmin, ymin, zmin, xmax, ymax, zmax.
using TBox = std::array<double, 6>;

struct TModelSummary {
  std::int32_t nodes = 0;
  std::int32_t elements = 0;
  // xmin, ymin, zmin, xmax, ymax, zmax; none when the file has neither node positions nor
  // grids.
  std::optional<TBox> bbox;
};

// From the model database the session builds of the file's node and element records, and
// from the grid records of the file's mesh post unit.
TModelSummary SummariseModel(CPvkSession& session);

// The box of the unit's grids; none without grids.
std::optional<TBox> GridsBox(const CMPUPost& mpu);
// "x 0 to 80, y 0 to 30, z 0 to 20"
std::string BoxText(const TBox& box);
