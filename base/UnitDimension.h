#pragma once
// Unit tables of the unit control: the size of every unit of the five kinds in SI terms with
// its name, and the dimension of every unit-type code that the result catalogue uses.
#include <cstdint>

#include "base/UnitIndex.h"

namespace zar::lib {

// In the order of the fields of T_UNIT_INDEX.
enum E_UNIT_KIND : std::int32_t {
  UNIT_FORCE = 0,
  UNIT_LENGTH,
  UNIT_TEMPERATURE,
  UNIT_TIME,
  UNIT_ENERGY,
  UNIT_KIND_COUNT
};

struct TUnitDef {
  const wchar_t* pszName;
  double rScale;   // SI units (N, m, K, s, J) per unit, or per degree for temperatures
  double rOffset;  // temperatures: the value to add before scaling to reach kelvin
};

struct TUnitDimension {
  std::int32_t nExp[UNIT_KIND_COUNT];  // exponent per kind
  bool bTemperatureLevel;              // a temperature, not a difference: the zero points count too
  const wchar_t* pszLegend;            // {F} {L} {C} {T} {E} stand for the names of the units
};

// Null for a code outside the kind's table.
const TUnitDef* FindUnitDef(E_UNIT_KIND kind, std::int32_t code);
// Null for a unit-type code that has no dimension entry.
const TUnitDimension* FindUnitDimension(std::int32_t unitType);
std::int32_t UnitCodeOf(const T_UNIT_INDEX& unit, E_UNIT_KIND kind);

}  // namespace zar::lib
