#pragma once
// The drawable form of a contour picture: the outer faces split into triangles with flat
// normals and the lines of beams, each vertex with its texture coordinate in the band table
// (ContourBands.h); and the orthographic camera that fits the model into the picture.
#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "base/Containers.h"
#include "render/OuterFaces.h"

namespace pvk::picture {

// Where the camera looks from: iso from (1, −1, 1), or from the positive or negative axis.
enum class EView { ISO, X, Y, Z, NEG_X, NEG_Y, NEG_Z };
// "iso", "x", "y", "z", "-x", "-y", "-z"; none for any other name.
std::optional<EView> ViewByName(std::string_view name);

struct TContourValues {
  std::span<const double> aRank;  // at least two, non-decreasing
  // Either a value per point (node results, interpolated across faces) or one per element
  // (element results, one colour per face); values that are not finite draw grey.
  std::span<const double> aNodeValue;
  std::span<const double> aElemValue;
};

template <class T>
using TPoints = zar::MTArray<zar::MVector<T, 3>>;

struct TContourGeometry {
  TPoints<float> aTri;  // three vertices a triangle
  TPoints<float> aTriNormal;
  zar::MTArray<float> aTriCoord;
  TPoints<float> aLine;  // two vertices a line
  zar::MTArray<float> aLineCoord;
};

TContourGeometry BuildContourGeometry(std::span<const TPoint> points, const TOuterFaces& faces,
                                      const TContourValues& values);

struct TCamera {
  std::array<float, 16> aMatrix;  // model to clip space, column by column
  std::array<float, 3> aEye;      // unit vector towards the viewer
};

// Fits the points into a width × height picture with a margin, keeping their proportions.
TCamera FitCamera(std::span<const TPoint> points, EView view, int width, int height);

}  // namespace pvk::picture
