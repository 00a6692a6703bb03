#include "PvkText.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

#include "base/ConvertString.h"

namespace pvk_text {

namespace {

struct TUnitAlias {
  const char* alias;
  TUnitName unit;
};
using zar::lib::UNIT_FORCE;
using zar::lib::UNIT_LENGTH;
using zar::lib::UNIT_TEMPERATURE;
using zar::lib::UNIT_TIME;
// Spellings people type for the same unit.
constexpr TUnitAlias kUnitAliases[] = {
    {"kip", {UNIT_FORCE, 5}},    {"lb", {UNIT_FORCE, 4}},         {"newton", {UNIT_FORCE, 2}},
    {"meter", {UNIT_LENGTH, 0}}, {"metre", {UNIT_LENGTH, 0}},     {"inch", {UNIT_LENGTH, 4}},
    {"feet", {UNIT_LENGTH, 3}},  {"foot", {UNIT_LENGTH, 3}},      {"s", {UNIT_TIME, 0}},
    {"h", {UNIT_TIME, 2}},       {"degc", {UNIT_TEMPERATURE, 0}}, {"degf", {UNIT_TEMPERATURE, 1}},
};

// Every unit the library knows, by kind and code, with its name in UTF-8.
template <class FUnit>
bool AnyUnit(FUnit match) {
  for (std::int32_t kind = 0; kind < zar::lib::UNIT_KIND_COUNT; ++kind)
    for (std::int32_t code = 0;; ++code) {
      const auto k = static_cast<zar::lib::E_UNIT_KIND>(kind);
      const zar::lib::TUnitDef* def = zar::lib::FindUnitDef(k, code);
      if (!def) break;
      if (match(TUnitName{k, code}, Utf8(def->pszName))) return true;
    }
  return false;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

std::string Utf8(const CString& text) {
  return zar::lib::MConvertString::ToMultiByte(text.str(), CP_UTF8);
}

std::string FirstReason(const zar::MArray<TPZARScanReason>& reasons, const char* otherwise) {
  return reasons.empty() ? otherwise : Utf8(FormatScanReason(reasons.front()));
}

std::string JsonString(const std::string& utf8) {
  std::string out = "\"";
  for (const char c : utf8) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\')
      out += {'\\', c};
    else if (u < 0x20)
      out += fmt::format("\\u{:04x}", u);
    else
      out += c;
  }
  return out + "\"";
}

std::string Number(double value) { return fmt::format("{}", value); }

std::string JsonNumber(double value) { return std::isfinite(value) ? Number(value) : "null"; }

const char* UnitKindName(zar::lib::E_UNIT_KIND kind) {
  static constexpr const char* kNames[zar::lib::UNIT_KIND_COUNT] = {
      "force", "length", "temperature", "time", "energy"};
  return kind >= 0 && kind < zar::lib::UNIT_KIND_COUNT ? kNames[kind] : "?";
}

std::string UnitName(zar::lib::E_UNIT_KIND kind, std::int32_t code) {
  const zar::lib::TUnitDef* def = zar::lib::FindUnitDef(kind, code);
  return def ? Utf8(def->pszName) : "?";
}

bool FindUnit(const std::string& name, TUnitName& unit) {
  const auto set = [&unit](TUnitName found) {
    unit = found;
    return true;
  };
  // Exact spelling first: "min" is minutes and "m" metres whatever other case matches.
  if (AnyUnit([&](TUnitName u, const std::string& n) { return n == name && set(u); })) return true;
  const std::string lower = Lower(name);
  if (AnyUnit([&](TUnitName u, const std::string& n) { return Lower(n) == lower && set(u); }))
    return true;
  for (const TUnitAlias& alias : kUnitAliases)
    if (lower == alias.alias) return set(alias.unit);
  return false;
}

const std::vector<std::string>& LocationNames() {
  static const std::vector<std::string> names = {
      "facet", "element", "element-corner", "element-node", "point", "node", "ibm-volume-node"};
  return names;
}

std::string LocationName(std::int32_t loc) {
  const auto& names = LocationNames();
  return loc >= 1 && loc <= static_cast<std::int32_t>(names.size()) ? names[loc - 1] : "?";
}

std::int32_t LocationCode(const std::string& text) {
  const auto& names = LocationNames();
  const std::string key = NameKey(text);
  for (std::size_t i = 0; i < names.size(); ++i)
    if (key == NameKey(names[i])) return static_cast<std::int32_t>(i + 1);
  if (text.size() == 1 && text[0] >= '1' && text[0] <= '0' + static_cast<char>(names.size()))
    return text[0] - '0';
  return -1;
}

std::string NameKey(const std::string& name) {
  std::string key;
  bool blank = false;
  for (const char c : name) {
    if (std::isspace(static_cast<unsigned char>(c)) || c == '-' || c == '_') {
      blank = !key.empty();
      continue;
    }
    if (blank) key += ' ';
    blank = false;
    key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return key;
}

namespace {

std::size_t EditDistance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
      diagonal = above;
    }
  }
  return row[b.size()];
}

}  // namespace

std::string Nearest(const std::string& typed, const std::vector<std::string>& candidates) {
  const std::string key = NameKey(typed);
  // A typo changes a few characters; more than a third of the word is another word.
  const std::size_t limit = std::max<std::size_t>(1, key.size() / 3);
  std::string best;
  std::size_t bestDistance = limit + 1;
  for (const std::string& candidate : candidates) {
    const std::size_t d = EditDistance(key, NameKey(candidate));
    if (d < bestDistance) {
      best = candidate;
      bestDistance = d;
    }
  }
  return best;
}

}  // namespace pvk_text
