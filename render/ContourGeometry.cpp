#include "render/ContourGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "render/ContourBands.h"

namespace pvk::picture {

namespace {

// The share of the picture's width and height left free on each side.
constexpr double FIT_MARGIN = 0.05;
// Depth is stretched a little beyond the model, so that no face touches a clipping plane.
constexpr double DEPTH_ROOM = 1.02;

struct TViewAxes {
  TPoint eye, up;
};

TViewAxes AxesOf(EView view) {
  const double iso = 1.0 / std::sqrt(3.0);
  switch (view) {
    case EView::X:
      return {{{1, 0, 0}}, {{0, 0, 1}}};
    case EView::NEG_X:
      return {{{-1, 0, 0}}, {{0, 0, 1}}};
    case EView::Y:
      return {{{0, 1, 0}}, {{0, 0, 1}}};
    case EView::NEG_Y:
      return {{{0, -1, 0}}, {{0, 0, 1}}};
    case EView::Z:
      return {{{0, 0, 1}}, {{0, 1, 0}}};
    case EView::NEG_Z:
      return {{{0, 0, -1}}, {{0, 1, 0}}};
    default:
      return {{{iso, -iso, iso}}, {{0, 0, 1}}};
  }
}

zar::MVector<float, 3> ToFloat(const TPoint& p) {
  return {{static_cast<float>(p[0]), static_cast<float>(p[1]), static_cast<float>(p[2])}};
}

class CGeometryBuilder {
public:
  CGeometryBuilder(std::span<const TPoint> points, const TContourValues& values)
      : m_points(points), m_values(values) {}

  // The coordinates of the given nodes of element `elem`; grey for all when one has no value.
  template <std::size_t N>
  std::array<float, N> Coords(const std::array<std::uint32_t, N>& nodes, std::size_t count,
                              std::uint32_t elem) const {
    std::array<float, N> coord{};
    const auto& ranks = m_values.aRank;
    if (m_values.aNodeValue.empty()) {
      const double v = elem < m_values.aElemValue.size() ? m_values.aElemValue[elem] : NAN;
      coord.fill(LegendBandCoord(ranks, v));
      return coord;
    }
    for (std::size_t i = 0; i < count; ++i) {
      const double v = m_values.aNodeValue[nodes[i]];
      if (!std::isfinite(v)) {
        coord.fill(LegendCoord(ranks, v));
        return coord;
      }
      coord[i] = LegendCoord(ranks, v);
    }
    return coord;
  }

  void AddFace(const TOuterFace& f, TContourGeometry& g) const {
    const auto& n = f.aNode;
    const TPoint& a = m_points[n[0]];
    TPoint normal = f.nCorner == 4 ? (m_points[n[2]] - a).Cross(m_points[n[3]] - m_points[n[1]])
                                   : (m_points[n[1]] - a).Cross(m_points[n[2]] - a);
    const auto fn = ToFloat(normal.Normalize());
    const auto coord = Coords(n, f.nCorner, f.nElem);
    for (std::uint32_t t = 0; t + 2 < f.nCorner; ++t)
      for (const std::uint32_t corner : {0u, t + 1, t + 2}) {
        g.aTri.push_back(ToFloat(m_points[n[corner]]));
        g.aTriNormal.push_back(fn);
        g.aTriCoord.push_back(coord[corner]);
      }
  }

  void AddLine(const TOuterLine& l, TContourGeometry& g) const {
    const auto coord = Coords(l.aNode, 2, l.nElem);
    for (std::size_t i = 0; i < 2; ++i) {
      g.aLine.push_back(ToFloat(m_points[l.aNode[i]]));
      g.aLineCoord.push_back(coord[i]);
    }
  }

private:
  std::span<const TPoint> m_points;
  const TContourValues& m_values;
};

}  // namespace

std::optional<EView> ViewByName(std::string_view name) {
  constexpr std::pair<std::string_view, EView> NAMES[] = {
      {"iso", EView::ISO},  {"x", EView::X},      {"y", EView::Y},     {"z", EView::Z},
      {"-x", EView::NEG_X}, {"-y", EView::NEG_Y}, {"-z", EView::NEG_Z}};
  for (const auto& [text, view] : NAMES)
    if (text == name) return view;
  return std::nullopt;
}

TContourGeometry BuildContourGeometry(std::span<const TPoint> points, const TOuterFaces& faces,
                                      const TContourValues& values) {
  TContourGeometry g;
  constexpr std::size_t QUAD_VERTICES = 6;
  g.aTri.reserve(QUAD_VERTICES * faces.aFace.size());
  g.aTriNormal.reserve(QUAD_VERTICES * faces.aFace.size());
  g.aTriCoord.reserve(QUAD_VERTICES * faces.aFace.size());
  const CGeometryBuilder builder(points, values);
  for (const TOuterFace& f : faces.aFace) builder.AddFace(f, g);
  for (const TOuterLine& l : faces.aLine) builder.AddLine(l, g);
  return g;
}

TCamera FitCamera(std::span<const TPoint> points, EView view, int width, int height) {
  const TViewAxes axes = AxesOf(view);
  const TPoint right = axes.up.Cross(axes.eye).Normalize();
  const TPoint up = axes.eye.Cross(right);
  const std::array<TPoint, 3> basis = {right, up, axes.eye};
  std::array<double, 3> lo, hi;
  lo.fill(std::numeric_limits<double>::infinity());
  hi.fill(-std::numeric_limits<double>::infinity());
  for (const TPoint& p : points)
    for (std::size_t k = 0; k < 3; ++k) {
      lo[k] = std::min(lo[k], basis[k].Dot(p));
      hi[k] = std::max(hi[k], basis[k].Dot(p));
    }
  std::array<double, 3> centre{}, span{};
  for (std::size_t k = 0; k < 3; ++k) {
    const bool any = lo[k] <= hi[k];
    centre[k] = any ? 0.5 * (lo[k] + hi[k]) : 0.0;
    span[k] = any && hi[k] > lo[k] ? hi[k] - lo[k] : 1.0;
  }
  // Pixels per model unit, the same across and up.
  const double free = 1.0 - 2.0 * FIT_MARGIN;
  const double pixels = std::min(free * width / span[0], free * height / span[1]);
  const std::array<double, 3> scale = {2.0 * pixels / width, 2.0 * pixels / height,
                                       -2.0 / (DEPTH_ROOM * span[2])};
  TCamera camera{};
  for (std::size_t row = 0; row < 3; ++row) {
    for (std::size_t col = 0; col < 3; ++col)
      camera.aMatrix[4 * col + row] = static_cast<float>(scale[row] * basis[row][col]);
    camera.aMatrix[12 + row] = static_cast<float>(-scale[row] * centre[row]);
  }
  camera.aMatrix[15] = 1.0f;
  camera.aEye = {static_cast<float>(axes.eye[0]), static_cast<float>(axes.eye[1]),
                 static_cast<float>(axes.eye[2])};
  return camera;
}

}  // namespace pvk::picture
