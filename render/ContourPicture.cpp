#include "render/ContourPicture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "render/ContourBands.h"
#include "render/ContourDraw.h"
#include "render/TextRaster.h"

namespace pvk::picture {

namespace {

// The font's pixel height is this share of the picture's height, within limits.
constexpr int FONT_HEIGHT_SHARE = 24;
constexpr int MIN_FONT_PIXELS = 9;
constexpr int MAX_FONT_PIXELS = 64;
constexpr TRgb TEXT_COLOR = {0, 0, 0};
constexpr TRgb FRAME_COLOR = {64, 64, 64};

struct TLegendPlace {
  TPictureLayout layout;
  int nPad = 0;
};

TLegendPlace Place(int width, int height, const CTextRaster& font,
                   std::span<const std::string> labels) {
  const int line = font.LineHeight();
  const int pad = std::max(4, line / 2);
  int labelWidth = 0;
  for (const std::string& label : labels) labelWidth = std::max(labelWidth, font.Width(label));
  const int barWidth = std::max(8, line);
  const int header = pad + 2 * line + pad;
  TRect bar;
  bar.x1 = width - pad - labelWidth - pad / 2;
  bar.x0 = bar.x1 - barWidth;
  bar.y0 = header + line / 2;
  bar.y1 = height - pad - line / 2;
  return {{{0, header, bar.x0 - pad, height}, bar}, pad};
}

void DrawBar(TRgbaImage& image, const TRect& bar, std::size_t bands) {
  const double h = static_cast<double>(bar.y1 - bar.y0) / static_cast<double>(bands);
  for (std::size_t b = 0; b < bands; ++b) {
    const int top = bar.y1 - static_cast<int>(std::lround((static_cast<double>(b) + 1.0) * h));
    const int bottom = bar.y1 - static_cast<int>(std::lround(static_cast<double>(b) * h));
    image.FillRect(bar.x0, top, bar.x1, bottom, BandColor(b, bands));
  }
  image.FillRect(bar.x0 - 1, bar.y0 - 1, bar.x1 + 1, bar.y0, FRAME_COLOR);
  image.FillRect(bar.x0 - 1, bar.y1, bar.x1 + 1, bar.y1 + 1, FRAME_COLOR);
  image.FillRect(bar.x0 - 1, bar.y0, bar.x0, bar.y1, FRAME_COLOR);
  image.FillRect(bar.x1, bar.y0, bar.x1 + 1, bar.y1, FRAME_COLOR);
}

// Rank values beside the bar; where they would overlap, every k-th, always the highest.
void DrawLabels(TRgbaImage& image, const TLegendPlace& place, const CTextRaster& font,
                std::span<const std::string> labels) {
  const TRect& bar = place.layout.bar;
  const std::size_t last = labels.size() - 1;
  const double spacing = static_cast<double>(bar.y1 - bar.y0) / static_cast<double>(last);
  const auto step = static_cast<std::size_t>(
      std::max(1.0, std::ceil(static_cast<double>(font.LineHeight()) / spacing)));
  for (std::size_t i = 0; i <= last; ++i) {
    if (i != last && (i % step != 0 || last - i < step)) continue;
    const int y = bar.y1 - static_cast<int>(std::lround(static_cast<double>(i) * spacing));
    font.Draw(image, bar.x1 + place.nPad / 2, y - font.LineHeight() / 2, labels[i], TEXT_COLOR);
  }
}

// The rank value as the bar shows it: four significant digits.
std::string RankText(double rank) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4g", rank);
  return text;
}

}  // namespace

int MakeContourPicture(std::span<const TPoint> points, const TOuterFaces& faces,
                       const TContourValues& values, const TLegendText& text, EView view, int width,
                       int height, TContourPicture& out, CString& reason) {
  if (width < MIN_PICTURE_WIDTH || height < MIN_PICTURE_HEIGHT) {
    reason.Format(L"A picture smaller than %d x %d", MIN_PICTURE_WIDTH, MIN_PICTURE_HEIGHT);
    return 0;
  }
  if (values.aRank.size() < 2) {
    reason = L"A legend of fewer than two ranks";
    return 0;
  }
  CTextRaster font;
  if (!font.Open(std::clamp(height / FONT_HEIGHT_SHARE, MIN_FONT_PIXELS, MAX_FONT_PIXELS))) {
    reason = font.GetReason();
    return 0;
  }
  zar::MArray<std::string> labels;
  for (const double r : values.aRank) labels.push_back(RankText(r));
  const TLegendPlace place = Place(width, height, font, labels);
  const TRect& m = place.layout.model;

  CContourRndrD data;
  if (!data.Load(BuildContourGeometry(points, faces, values))) {
    reason = data.GetReason();
    return 0;
  }
  const int modelW = m.x1 - m.x0, modelH = m.y1 - m.y0;
  TRgbaImage model;
  if (!DrawContour(data, values.aRank.size(), FitCamera(points, view, modelW, modelH), modelW,
                   modelH, model, reason))
    return 0;

  out.layout = place.layout;
  out.image = TRgbaImage(width, height, BACKGROUND_COLOR);
  for (int y = 0; y < modelH; ++y)
    std::copy_n(model.At(0, y), TRgbaImage::CHANNELS * static_cast<std::size_t>(modelW),
                out.image.At(m.x0, m.y0 + y));
  font.Draw(out.image, place.nPad, place.nPad, text.title, TEXT_COLOR);
  if (!text.unit.empty())
    font.Draw(out.image, place.nPad, place.nPad + font.LineHeight(), "Unit : " + text.unit,
              TEXT_COLOR);
  DrawBar(out.image, place.layout.bar, values.aRank.size() - 1);
  DrawLabels(out.image, place, font, labels);
  return 1;
}

}  // namespace pvk::picture
