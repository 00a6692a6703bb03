#pragma once
// The table that classifies result component ids by result category type.
#include <cstdint>

namespace PZAR::detail {

struct TCompCatRange {
  std::int32_t first;  // closed range; a single id has first == last
  std::int32_t last;
  std::int32_t catType;
};

constexpr int kCompCatRangeCount = 204;
extern const TCompCatRange kCompCatRanges[kCompCatRangeCount];

}  // namespace PZAR::detail
