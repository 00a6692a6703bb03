#include "render/ContourBands.h"

#include <algorithm>
#include <cmath>

namespace pvk::picture {

namespace {

// The hues of the scale, in degrees: blue at the lowest band, red at the highest.
constexpr double HUE_LOW = 240.0;
constexpr double HUE_SECTOR = 60.0;
// How close a coordinate comes to its texel's edges, as a share of the texel: far enough that
// single-precision interpolation does not cross into the neighbour.
constexpr double TEXEL_GUARD = 1.0 / 256.0;

std::uint8_t Channel(double c) { return static_cast<std::uint8_t>(std::lround(c * 255.0)); }

// Fully saturated, full value.
TRgb Hue(double degrees) {
  const double h = degrees / HUE_SECTOR;
  const double x = 1.0 - std::fabs(std::fmod(h, 2.0) - 1.0);
  const int sector = std::min(5, static_cast<int>(h));
  constexpr std::array<std::array<int, 3>, 6> ORDER = {
      {{0, 1, 2}, {1, 0, 2}, {2, 0, 1}, {2, 1, 0}, {1, 2, 0}, {0, 2, 1}}};
  const std::array<double, 3> level = {1.0, x, 0.0};
  const auto& o = ORDER[static_cast<std::size_t>(sector)];
  return {Channel(level[static_cast<std::size_t>(o[0])]),
          Channel(level[static_cast<std::size_t>(o[1])]),
          Channel(level[static_cast<std::size_t>(o[2])])};
}

double TexelCount(std::span<const double> ranks) { return static_cast<double>(ranks.size()); }

}  // namespace

TRgb BandColor(std::size_t band, std::size_t bandCount) {
  if (bandCount <= 1) return Hue(HUE_LOW);
  const double t = static_cast<double>(band) / static_cast<double>(bandCount - 1);
  return Hue(HUE_LOW * (1.0 - t));
}

std::size_t LegendBand(std::span<const double> ranks, double value) {
  const auto first = std::lower_bound(ranks.begin(), ranks.end(), value);  // r[i] >= v
  const auto i = static_cast<std::size_t>(first - ranks.begin());
  return std::clamp<std::size_t>(i == 0 ? 0 : i - 1, 0, ranks.size() - 2);
}

float LegendCoord(std::span<const double> ranks, double value) {
  if (!std::isfinite(value))
    return static_cast<float>((TexelCount(ranks) - 0.5) / TexelCount(ranks));
  const std::size_t k = LegendBand(ranks, value);
  const double width = ranks[k + 1] - ranks[k];
  const double along = width > 0.0 ? (value - ranks[k]) / width : 0.5;
  const double inside = std::clamp(along, TEXEL_GUARD, 1.0 - TEXEL_GUARD);
  return static_cast<float>((static_cast<double>(k) + inside) / TexelCount(ranks));
}

float LegendBandCoord(std::span<const double> ranks, double value) {
  if (!std::isfinite(value)) return LegendCoord(ranks, value);
  return static_cast<float>((static_cast<double>(LegendBand(ranks, value)) + 0.5) /
                            TexelCount(ranks));
}

zar::MArray<std::uint8_t> BandTable(std::size_t rankCount) {
  const std::size_t bands = rankCount - 1;
  zar::MArray<std::uint8_t> table;
  table.reserve(3 * rankCount);
  for (std::size_t b = 0; b < bands; ++b) {
    const TRgb c = BandColor(b, bands);
    table.insert(table.end(), c.begin(), c.end());
  }
  table.insert(table.end(), NO_VALUE_COLOR.begin(), NO_VALUE_COLOR.end());
  return table;
}

}  // namespace pvk::picture
