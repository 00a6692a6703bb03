#pragma once
// The legend of a grid result as a view draws it: the result loaded through a display item on
// the cells of the file's grids, its ranks, the share of the cell nodes' values in each band,
// and the legend's title and information lines.
#include <cstdint>
#include <string>
#include <vector>

#include "base/Containers.h"

class CPvkSession;
class CVResult;

struct TGridLegend {
  zar::MTArray<double> ranks, percents;
  std::vector<std::string> title, info;  // UTF-8, blank lines empty
  std::uint64_t counted = 0, leftOut = 0;
};

// Ranks by equal interval over the shown range, or by equal percent. Throws CPvkError when the file
// has no grids or the result does not load on them.
TGridLegend MakeGridLegend(CPvkSession& session, CVResult& vr, std::int32_t nRank, bool bPercent);
