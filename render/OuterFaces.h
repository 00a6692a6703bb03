#pragma once
// The outer surface of a mesh, as a contour picture shows it: the faces of solid elements
// that belong to one element only, the faces of shell elements and the lines of beams.
// Quadratic elements are taken by their corner nodes: the picture shows flat faces.
#include <array>
#include <cstdint>
#include <span>

#include "base/Containers.h"

namespace pvk::picture {

using TPoint = zar::MVector<double, 3>;

// An element by its type code (0 to 15) and its corner nodes, as indices into the points.
struct TMeshElem {
  static constexpr std::size_t N_MAX_CORNER = 8;
  std::int32_t nType = 0;
  std::array<std::uint32_t, N_MAX_CORNER> aCorner{};
};

// A face of three or four corners, ordered so that their turn points out of the element
// (shells: as their nodes run).
struct TOuterFace {
  std::array<std::uint32_t, 4> aNode;
  std::uint32_t nCorner;
  std::uint32_t nElem;  // index of the element it belongs to
};

struct TOuterLine {
  std::array<std::uint32_t, 2> aNode;
  std::uint32_t nElem;
};

struct TOuterFaces {
  zar::MArray<TOuterFace> aFace;  // in element order
  zar::MArray<TOuterLine> aLine;
  std::uint64_t nSkipped = 0;  // elements of an unknown type or with a corner out of range
};

// Points (0 and 1 node elements) show nothing. The work grows linearly with the elements.
TOuterFaces ExtractOuterFaces(std::span<const TMeshElem> elems, std::span<const TPoint> points);

}  // namespace pvk::picture
