#pragma once
// Text helpers of the command-line tool: UTF-8 from the library's wide strings, JSON strings,
// numbers that read back to the same double, unit names.
#include <cstdint>
#include <string>
#include <vector>

#include "base/CString.h"
#include "base/Containers.h"
#include "base/UnitDimension.h"
#include "resultfile/PZARScanReason.h"

namespace pvk_text {

std::string Utf8(const CString& text);
// The first reason of a scan as one line; `otherwise` when there is none.
std::string FirstReason(const zar::MArray<TPZARScanReason>& reasons, const char* otherwise);
// A JSON string literal, quotes included.
std::string JsonString(const std::string& utf8);
// The shortest text that reads back to the same double; JSON has no NaN or infinity: null.
std::string Number(double value);
std::string JsonNumber(double value);
// The name of a unit code of a kind ("mm"); "?" for an unknown code.
std::string UnitName(zar::lib::E_UNIT_KIND kind, std::int32_t code);
// "force", "length", ...
const char* UnitKindName(zar::lib::E_UNIT_KIND kind);

struct TUnitName {
  zar::lib::E_UNIT_KIND kind;
  std::int32_t code;
};
// The unit a name stands for: a unit's own name or a common alias ("kip", "sec"), compared
// without regard to case where that is unambiguous; false when it names no unit.
bool FindUnit(const std::string& name, TUnitName& unit);

// The names of the location types 1 to 7 ("facet", "element", ..., "ibm-volume-node").
const std::vector<std::string>& LocationNames();
// "?" for a type outside 1 to 7.
std::string LocationName(std::int32_t loc);
// The type of a location name or number ("node", "6"), -1 when neither.
std::int32_t LocationCode(const std::string& text);

// A name as compared when the user may have typed it: lower case, runs of blanks, '-' and '_'
// as one blank, no blanks at the ends.
std::string NameKey(const std::string& name);
// The candidate nearest to `typed` by edit distance on NameKey, when it is close enough to be
// a likely typo; empty otherwise.
std::string Nearest(const std::string& typed, const std::vector<std::string>& candidates);

}  // namespace pvk_text
