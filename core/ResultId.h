#pragma once
// Ranges of result ids. Result files store these ids, so the values are fixed.
#include <cstdint>

namespace pvk {

// A base id plus this offset names the phase-angle variant of the same quantity (complex
// results).
inline constexpr std::int32_t kPhaseAngleOffset = 1000000000;

// Printed-circuit-board ids are 50,000,000 to 59,999,999: output 5 in the ten-millions.
inline constexpr std::int32_t kPCBOutputScale = 10000000;
inline constexpr std::int32_t kPCBOutput = 5;

constexpr bool IsPCBId(std::int32_t id) { return id / kPCBOutputScale == kPCBOutput; }

}  // namespace pvk
