#include "ValueUnits.h"

#include <fmt/format.h>

#include <array>

#include "PvkError.h"
#include "PvkText.h"

namespace pvk_values {

namespace {

enum EKind { FORCE, LENGTH, KIND_COUNT };
constexpr const char* kKindNames[KIND_COUNT] = {"force", "length"};

struct TUnit {
  EKind kind;
  std::int32_t code;
};

bool FindUnit(const std::string& name, TUnit& unit) {
  if (const std::int32_t code = pvk_text::ForceCode(name); code >= 0) {
    unit = {FORCE, code};
    return true;
  }
  if (const std::int32_t code = pvk_text::LengthCode(name); code >= 0) {
    unit = {LENGTH, code};
    return true;
  }
  return false;
}

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

[[noreturn]] void Refuse(const std::string& text, const std::string& why) {
  throw CPvkError(PVK_EXIT_USAGE, fmt::format("bad --units \"{}\"", text), why);
}

std::string Expected() {
  return "expected unit names separated by commas, each kind at most once, such as m,kN "
         "(force: kgf tonf N kN lbf kips; length: m cm mm ft in)";
}

}  // namespace

zar::lib::T_UNIT_INDEX AskedUnits(const std::string& text, zar::lib::T_UNIT_INDEX units) {
  if (Trim(text).empty()) Refuse(text, Expected());
  std::array<bool, KIND_COUNT> named{};
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = text.find(',', start);
    const std::string item = Trim(text.substr(start, comma - start));
    TUnit unit{};
    if (item.empty()) Refuse(text, Expected());
    if (!FindUnit(item, unit)) Refuse(text, fmt::format("\"{}\" is no unit; {}", item, Expected()));
    if (named[unit.kind])
      Refuse(text, fmt::format("two {} units; {}", kKindNames[unit.kind], Expected()));
    named[unit.kind] = true;
    (unit.kind == FORCE ? units.nForce : units.nLength) = unit.code;
    if (comma == std::string::npos) return units;
    start = comma + 1;
  }
}

}  // namespace pvk_values
