#pragma once
// The banded colours of a contour picture. A legend of n ranks has n − 1 bands, coloured from
// blue (lowest) through cyan, green and yellow to red (highest). The colour table is a 1D
// texture of the band colours and one more texel, grey, for faces without a value; a value's
// texture coordinate lies inside the texel of its band, so that a lookup with nearest
// filtering gives flat bands, and across a face the coordinate runs through the bands between
// its corners.
#include <array>
#include <cstdint>
#include <span>

#include "base/Containers.h"

namespace pvk::picture {

using TRgb = std::array<std::uint8_t, 3>;

inline constexpr TRgb NO_VALUE_COLOR = {160, 160, 160};

// The colour of band `band` of `bandCount`.
TRgb BandColor(std::size_t band, std::size_t bandCount);

// The band that a value goes to, by the legend's counting rule: the first k with
// r[k] < v ≤ r[k+1]; v ≤ r[0] goes to band 0, v > r[n−1] to the last band. Ranks must be
// non-decreasing and at least two; v must be finite.
std::size_t LegendBand(std::span<const double> ranks, double value);

// The texture coordinate of a value: inside its band's texel, as far along it as the value
// lies between the band's ranks; the grey texel for a value that is not finite.
float LegendCoord(std::span<const double> ranks, double value);
// The centre of the value's band's texel (a face of one value draws in one colour).
float LegendBandCoord(std::span<const double> ranks, double value);

// The colour table, RGB bytes: the n − 1 band colours, then grey.
zar::MArray<std::uint8_t> BandTable(std::size_t rankCount);

}  // namespace pvk::picture
