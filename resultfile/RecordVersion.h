#pragma once
// Format versions of result file records, as the record factory keys them.
#include <cstdint>

namespace PZAR_RECORD_VER {

enum E_VER : std::int32_t { VER_130 = 0, VER_140 = 1, VER_150 = 2 };

// The version of a file header's format number (130, 140, 150); false for any other.
bool FromFormatNumber(std::int32_t format, E_VER& version);

}  // namespace PZAR_RECORD_VER
