#pragma once
// An 8-bit RGBA image, top row first, rows tightly packed.
#include <cstddef>
#include <cstdint>

#include "base/Containers.h"
#include "render/ContourBands.h"

namespace pvk::picture {

struct TRgbaImage {
  static constexpr std::size_t CHANNELS = 4;
  int nWidth = 0;
  int nHeight = 0;
  zar::MArray<std::uint8_t> aByte;

  TRgbaImage() = default;
  TRgbaImage(int width, int height, const TRgb& fill)
      : nWidth(width), nHeight(height), aByte(CHANNELS * static_cast<std::size_t>(width) * height) {
    for (std::size_t i = 0; i < aByte.size(); i += CHANNELS)
      aByte[i] = fill[0], aByte[i + 1] = fill[1], aByte[i + 2] = fill[2], aByte[i + 3] = 255;
  }
  std::uint8_t* At(int x, int y) {
    return aByte.data() + CHANNELS * (static_cast<std::size_t>(y) * nWidth + x);
  }
  const std::uint8_t* At(int x, int y) const {
    return aByte.data() + CHANNELS * (static_cast<std::size_t>(y) * nWidth + x);
  }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < nWidth && y < nHeight; }
  // Mixes `color` into the pixel by `cover` (0 to 255); outside the image nothing happens.
  void Blend(int x, int y, const TRgb& color, unsigned cover) {
    if (!Inside(x, y)) return;
    std::uint8_t* p = At(x, y);
    for (std::size_t c = 0; c < 3; ++c)
      p[c] = static_cast<std::uint8_t>((color[c] * cover + p[c] * (255u - cover) + 127u) / 255u);
  }
  void FillRect(int x0, int y0, int x1, int y1, const TRgb& color) {
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) Blend(x, y, color, 255);
  }
};

}  // namespace pvk::picture
