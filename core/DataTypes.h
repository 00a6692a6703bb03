#pragma once
// Records shared by the data store, the result file records and the virtual results.
#include <cstdint>

namespace pvk {

// Where values live.
enum LOC_TYPE : std::int32_t {
  LOC_FACET = 1,
  LOC_ELEM = 2,
  LOC_ELEM_CORNER = 3,
  LOC_ELEM_NODE = 4,
  LOC_POINT = 5,
  LOC_NODE = 6,
  LOC_IBM_VOLUME_NODE = 7,
};

// Three integers that describe a result's data; the third is the number of values per
// entity.
struct TVResDInfo {
  std::int32_t nInfo[3] = {0, 0, 0};
  bool operator==(const TVResDInfo&) const = default;
};

// The two stored axes of an element output coordinate system.
struct TElemOutCsys_d {
  double v[6] = {0, 0, 0, 0, 0, 0};
};

}  // namespace pvk
