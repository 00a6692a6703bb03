#pragma once
// The head of the values output: the step the values are of, and the results they come from.
#include <cstdint>
#include <string>

#include "ValueWriter.h"
#include "base/UnitIndex.h"

class CPvkSession;
class CVResult;

namespace pvk_values {

// The file as given, and the sub-case and step with the 1-based numbers that --subcase and
// --step take.
TValuesHead StepHead(const CPvkSession& session, const std::string& file, std::uint64_t scas,
                     std::uint64_t step);
// Id, name and unit (in `units`) of a result.
TResultHead ResultHead(const CVResult& vr, const zar::lib::T_UNIT_INDEX& units);

}  // namespace pvk_values
