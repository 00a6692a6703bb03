#pragma once
// Classification of result component ids.
#include <cstdint>

namespace PZAR {

// The result category type of a component id; 0 when it has none. Phase-angle variants
// (id + 1,000,000,000) share the category of their base id.
std::int32_t GetResultCatTypeFromPZARComp(const std::int32_t& comp);
// The result id that a component stands for within the result `resId`.
std::int32_t GetResultIDFromPZARComp(std::int32_t comp, std::int32_t resId);

}  // namespace PZAR
