#include "ValueUnits.h"

#include <fmt/format.h>

#include <array>

#include "PvkError.h"
#include "PvkText.h"

namespace pvk_values {

namespace {

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::int32_t& UnitMember(zar::lib::T_UNIT_INDEX& units, zar::lib::E_UNIT_KIND kind) {
  std::int32_t* members[zar::lib::UNIT_KIND_COUNT] = {
      &units.nForce, &units.nLength, &units.nTemperature, &units.nTime, &units.nEnergy};
  return *members[kind];
}

[[noreturn]] void Refuse(const std::string& text, const std::string& why) {
  throw CPvkError(PVK_EXIT_USAGE, fmt::format("bad --units \"{}\"", text), why);
}

std::string Expected() {
  std::string kinds;
  for (std::int32_t k = 0; k < zar::lib::UNIT_KIND_COUNT; ++k) {
    const auto kind = static_cast<zar::lib::E_UNIT_KIND>(k);
    kinds += fmt::format("{}{}:", k ? "; " : "", pvk_text::UnitKindName(kind));
    for (std::int32_t code = 0; pvk_text::UnitName(kind, code) != "?"; ++code)
      kinds += " " + pvk_text::UnitName(kind, code);
  }
  return "expected unit names separated by commas, each kind at most once, such as m,kN (" + kinds +
         ")";
}

}  // namespace

zar::lib::T_UNIT_INDEX AskedUnits(const std::string& text, zar::lib::T_UNIT_INDEX units) {
  if (Trim(text).empty()) Refuse(text, Expected());
  std::array<bool, zar::lib::UNIT_KIND_COUNT> named{};
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = text.find(',', start);
    const std::string item = Trim(text.substr(start, comma - start));
    pvk_text::TUnitName unit{};
    if (item.empty()) Refuse(text, Expected());
    if (!pvk_text::FindUnit(item, unit))
      Refuse(text, fmt::format("\"{}\" is no unit; {}", item, Expected()));
    if (named[unit.kind])
      Refuse(text, fmt::format("two {} units; {}", pvk_text::UnitKindName(unit.kind), Expected()));
    named[unit.kind] = true;
    UnitMember(units, unit.kind) = unit.code;
    if (comma == std::string::npos) return units;
    start = comma + 1;
  }
}

zar::lib::T_UNIT_INDEX UnitsOf(const std::optional<std::string>& asked,
                               const zar::lib::T_UNIT_INDEX& fileUnits) {
  return asked ? AskedUnits(*asked, fileUnits) : fileUnits;
}

}  // namespace pvk_values
