#include "base/UnitDimension.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <span>

namespace zar::lib {

namespace {

constexpr double kLbf = 4.4482216152605;

// Codes index the tables.
constexpr TUnitDef kForce[] = {{L"kgf", 9.80665, 0.0}, {L"tonf", 9806.65, 0.0},
                               {L"N", 1.0, 0.0},       {L"kN", 1000.0, 0.0},
                               {L"lbf", kLbf, 0.0},    {L"kips", 1000.0 * kLbf, 0.0}};
constexpr TUnitDef kLength[] = {{L"m", 1.0, 0.0},
                                {L"cm", 0.01, 0.0},
                                {L"mm", 0.001, 0.0},
                                {L"ft", 0.3048, 0.0},
                                {L"in", 0.0254, 0.0}};
constexpr TUnitDef kTemperature[] = {
    {L"C", 1.0, 273.15}, {L"F", 5.0 / 9.0, 459.67}, {L"K", 1.0, 0.0}};
constexpr TUnitDef kTime[] = {{L"sec", 1.0, 0.0}, {L"min", 60.0, 0.0}, {L"hr", 3600.0, 0.0}};
constexpr TUnitDef kEnergy[] = {{L"cal", 4.184, 0.0},
                                {L"kcal", 4184.0, 0.0},
                                {L"J", 1.0, 0.0},
                                {L"kJ", 1000.0, 0.0},
                                {L"Btu", 1055.05585262, 0.0}};

constexpr std::array<std::span<const TUnitDef>, UNIT_KIND_COUNT> kUnitTables = {
    kForce, kLength, kTemperature, kTime, kEnergy};

struct TUnitTypeEntry {
  std::int32_t nType;
  TUnitDimension dim;
};

// Exponents in the order force, length, temperature, time, energy. Angles and rotations are
// in degrees and radians in every unit system. Where a code serves several quantities, the
// dimension follows the quantity most of its results have.
constexpr TUnitTypeEntry kUnitTypes[] = {
    {0, {{0, 0, 0, 0, 0}, false, L""}},
    {1, {{0, 1, 0, 0, 0}, false, L"{L}"}},
    {2, {{1, 0, 0, 0, 0}, false, L"{F}"}},
    {3, {{0, 1, 0, -2, 0}, false, L"{L}/{T}^2"}},
    {4, {{0, 0, 0, 0, 0}, false, L"deg"}},
    {5, {{0, 0, 0, 0, 0}, false, L"rad"}},
    {6, {{0, 0, 1, 0, 0}, true, L"{C}"}},
    {9, {{0, 2, 0, 0, 0}, false, L"{L}^2"}},
    {11, {{0, 4, 0, 0, 0}, false, L"{L}^4"}},
    {12, {{1, 1, 0, 0, 0}, false, L"{F}*{L}"}},
    {13, {{1, 0, 0, 0, 0}, false, L"{F}*{L}/{L}"}},  // moment per length
    {14, {{1, -1, 0, 0, 0}, false, L"{F}/{L}"}},
    {18, {{1, -2, 0, 0, 0}, false, L"{F}/{L}^2"}},
    {19, {{1, -3, 0, 0, 0}, false, L"{F}/{L}^3"}},  // pressure gradient
    {23, {{0, 1, 0, -1, 0}, false, L"{L}/{T}"}},
    {39, {{0, 3, 0, -1, 0}, false, L"{L}^3/{T}"}},
    {50, {{0, 0, 0, -2, 0}, false, L"rad/{T}^2"}},
    {55, {{0, 1, 0, -1, 0}, false, L"{L}/{T}"}},  // seepage velocity
    {56, {{0, 0, 0, -1, 0}, false, L"1/{T}"}},
    {65, {{0, 0, 0, -1, 0}, false, L"rad/{T}"}},
    {75, {{0, 0, 0, -1, 1}, false, L"{E}/{T}"}},
    {78, {{0, -2, 0, -1, 1}, false, L"{E}/{T}/{L}^2"}},
    {88, {{0, 2, 0, -2, 0}, false, L"{L}^2/{T}^2"}},
    {90, {{0, -1, 1, 0, 0}, false, L"{C}/{L}"}},
    {92, {{1, -2, 0, 1, 0}, false, L"{F}*{T}/{L}^2"}},  // dynamic viscosity
    {100, {{0, -2, 0, -1, 1}, false, L"{E}/{T}/{L}^2"}},
    {104, {{0, -2, 0, -1, 1}, false, L"{E}/{T}/{L}^2"}},
};

}  // namespace

const TUnitDef* FindUnitDef(E_UNIT_KIND kind, std::int32_t code) {
  if (kind < 0 || kind >= UNIT_KIND_COUNT) return nullptr;
  const std::span<const TUnitDef> table = kUnitTables[kind];
  if (code < 0 || static_cast<std::size_t>(code) >= table.size()) return nullptr;
  return &table[static_cast<std::size_t>(code)];
}

const TUnitDimension* FindUnitDimension(std::int32_t unitType) {
  const auto it = std::lower_bound(
      std::begin(kUnitTypes), std::end(kUnitTypes), unitType,
      [](const TUnitTypeEntry& entry, std::int32_t type) { return entry.nType < type; });
  return it != std::end(kUnitTypes) && it->nType == unitType ? &it->dim : nullptr;
}

std::int32_t UnitCodeOf(const T_UNIT_INDEX& unit, E_UNIT_KIND kind) {
  switch (kind) {
    case UNIT_FORCE:
      return unit.nForce;
    case UNIT_LENGTH:
      return unit.nLength;
    case UNIT_TEMPERATURE:
      return unit.nTemperature;
    case UNIT_TIME:
      return unit.nTime;
    case UNIT_ENERGY:
      return unit.nEnergy;
    default:
      return -1;
  }
}

}  // namespace zar::lib
