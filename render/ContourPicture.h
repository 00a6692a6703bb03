#pragma once
// A whole contour picture: the model's outer faces coloured by a result through its legend,
// drawn on the current graphics backend, with the legend beside it: the title (the result's
// name) and unit above, the colour bar with its rank values at the right, lowest band at the
// bottom. Text is drawn with TextRaster.
#include <string>

#include "base/CString.h"
#include "render/ContourGeometry.h"
#include "render/RgbaImage.h"

namespace pvk::picture {

struct TLegendText {
  std::string title;
  std::string unit;  // empty: no unit line
};

// Where the parts of the picture lie, in pixels from the top-left corner; right and bottom
// edges excluded.
struct TRect {
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};
struct TPictureLayout {
  TRect model;
  TRect bar;  // band b of n − 1 fills 1 / (n − 1) of its height, band 0 at the bottom
};

struct TContourPicture {
  TRgbaImage image;
  TPictureLayout layout;
};

// The smallest picture that holds a legend beside a model.
inline constexpr int MIN_PICTURE_WIDTH = 120;
inline constexpr int MIN_PICTURE_HEIGHT = 90;

// 0 with the reason when the picture is smaller than the minimum, the font cannot be loaded
// or the backend fails.
int MakeContourPicture(std::span<const TPoint> points, const TOuterFaces& faces,
                       const TContourValues& values, const TLegendText& text, EView view, int width,
                       int height, TContourPicture& out, CString& reason);

}  // namespace pvk::picture
