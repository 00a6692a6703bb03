#include "PvkText.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

#include "base/ConvertString.h"

namespace pvk_text {

namespace {

constexpr std::array<const char*, 5> kLength = {"m", "cm", "mm", "ft", "in"};
constexpr std::array<const char*, 6> kForce = {"kgf", "tonf", "N", "kN", "lbf", "kips"};

template <std::size_t N>
std::string NameOf(const std::array<const char*, N>& names, std::int32_t code) {
  return code >= 0 && code < static_cast<std::int32_t>(N) ? names[code] : "?";
}

template <std::size_t N>
std::int32_t CodeOf(const std::array<const char*, N>& names, const std::string& name) {
  for (std::size_t i = 0; i < N; ++i)
    if (name == names[i]) return static_cast<std::int32_t>(i);
  return -1;
}

}  // namespace

std::string Utf8(const CString& text) {
  return zar::lib::MConvertString::ToMultiByte(text.str(), 65001);
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

std::string LengthUnit(std::int32_t code) { return NameOf(kLength, code); }
std::string ForceUnit(std::int32_t code) { return NameOf(kForce, code); }
std::int32_t LengthCode(const std::string& name) { return CodeOf(kLength, name); }
std::int32_t ForceCode(const std::string& name) { return CodeOf(kForce, name); }

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
