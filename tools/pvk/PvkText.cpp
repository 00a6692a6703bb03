#include "PvkText.h"

#include <fmt/format.h>

#include <array>
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

}  // namespace pvk_text
