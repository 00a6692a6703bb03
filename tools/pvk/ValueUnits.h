#pragma once
// The unit system that --units asks for.
#include <optional>
#include <string>

#include "base/UnitIndex.h"

namespace pvk_values {

// `text` lists unit names separated by commas, in any order, each kind at most once
// ("m,kN", "kip,in", "mm,N,sec"); a kind not named keeps the file's unit. Throws CPvkError
// (2) for an empty list, an empty item, an unknown name or a kind named twice.
zar::lib::T_UNIT_INDEX AskedUnits(const std::string& text, zar::lib::T_UNIT_INDEX fileUnits);
// The file's units, or those asked when there is an ask.
zar::lib::T_UNIT_INDEX UnitsOf(const std::optional<std::string>& asked,
                               const zar::lib::T_UNIT_INDEX& fileUnits);

}  // namespace pvk_values
