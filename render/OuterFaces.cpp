#include "render/OuterFaces.h"

#include <algorithm>
#include <limits>
#include <unordered_map>

#include "session/ElemTypeTable.h"

namespace pvk::picture {

namespace {

constexpr std::uint32_t NO_NODE = std::numeric_limits<std::uint32_t>::max();
constexpr std::int32_t DIM_LINE = 1;
constexpr std::int32_t DIM_SURFACE = 2;
constexpr std::int32_t DIM_SOLID = 3;

// The faces of a linear solid by its corners, each turning outwards for the usual node order
// (bottom corners counter-clockwise seen from the top, then the top or the apex). A face of
// three corners repeats no fourth: it has NO_CORNER there.
constexpr int NO_CORNER = -1;
using TFaceCorners = std::array<int, 4>;
constexpr TFaceCorners TET_FACES[] = {
    {0, 2, 1, NO_CORNER}, {0, 1, 3, NO_CORNER}, {1, 2, 3, NO_CORNER}, {2, 0, 3, NO_CORNER}};
constexpr TFaceCorners PYRAMID_FACES[] = {{0, 3, 2, 1},
                                          {0, 1, 4, NO_CORNER},
                                          {1, 2, 4, NO_CORNER},
                                          {2, 3, 4, NO_CORNER},
                                          {3, 0, 4, NO_CORNER}};
constexpr TFaceCorners WEDGE_FACES[] = {
    {0, 2, 1, NO_CORNER}, {3, 4, 5, NO_CORNER}, {0, 1, 4, 3}, {1, 2, 5, 4}, {2, 0, 3, 5}};
constexpr TFaceCorners HEX_FACES[] = {{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4},
                                      {1, 2, 6, 5}, {2, 3, 7, 6}, {3, 0, 4, 7}};

std::span<const TFaceCorners> SolidFaces(std::int32_t cornerCount) {
  switch (cornerCount) {
    case 4:
      return TET_FACES;
    case 5:
      return PYRAMID_FACES;
    case 6:
      return WEDGE_FACES;
    case 8:
      return HEX_FACES;
    default:
      return {};
  }
}

// A face whatever its turn and first corner: its nodes sorted.
using TFaceKey = std::array<std::uint32_t, 4>;

struct TFaceKeyHash {
  std::size_t operator()(const TFaceKey& k) const {
    std::uint64_t h = 0x9E3779B97F4A7C15ull;
    for (const std::uint32_t n : k) h = (h ^ n) * 0xBF58476D1CE4E5B9ull;
    return static_cast<std::size_t>(h ^ (h >> 31));
  }
};

TOuterFace MakeFace(const TMeshElem& e, const TFaceCorners& corners, std::uint32_t elem) {
  TOuterFace face{{NO_NODE, NO_NODE, NO_NODE, NO_NODE}, 0, elem};
  for (const int c : corners)
    if (c != NO_CORNER) face.aNode[face.nCorner++] = e.aCorner[static_cast<std::size_t>(c)];
  return face;
}

TFaceKey KeyOf(const TOuterFace& face) {
  TFaceKey key = face.aNode;
  std::sort(key.begin(), key.end());
  return key;
}

TPoint Centre(std::span<const std::uint32_t> nodes, std::span<const TPoint> points) {
  TPoint c;
  for (const std::uint32_t n : nodes) c = c + points[n];
  return c * (1.0 / static_cast<double>(nodes.size()));
}

// Turns the face round when its normal points into the element: elements whose nodes run the
// other way still show their faces from outside.
void TurnOutwards(TOuterFace& face, const TPoint& elemCentre, std::span<const TPoint> points) {
  const auto& n = face.aNode;
  const TPoint& a = points[n[0]];
  const TPoint normal = face.nCorner == 4 ? (points[n[2]] - a).Cross(points[n[3]] - points[n[1]])
                                          : (points[n[1]] - a).Cross(points[n[2]] - a);
  const TPoint faceCentre = Centre(std::span(n.data(), face.nCorner), points);
  if (normal.Dot(faceCentre - elemCentre) < 0.0)
    std::reverse(face.aNode.begin() + 1, face.aNode.begin() + face.nCorner);
}

struct TElemShape {
  const TElemTypeEntry* pType = nullptr;
  std::span<const TFaceCorners> faces;
};

TElemShape ShapeOf(const TMeshElem& e, std::size_t nPoint) {
  const TElemTypeEntry* type = GetElemTypeEntry(e.nType);
  if (!type || type->m_nCornerNodeCnt <= 0) return {};
  for (std::int32_t c = 0; c < type->m_nCornerNodeCnt; ++c)
    if (e.aCorner[static_cast<std::size_t>(c)] >= nPoint) return {};
  const bool solid = type->m_nDimension == DIM_SOLID;
  return {type, solid ? SolidFaces(type->m_nCornerNodeCnt) : std::span<const TFaceCorners>{}};
}

}  // namespace

TOuterFaces ExtractOuterFaces(std::span<const TMeshElem> elems, std::span<const TPoint> points) {
  TOuterFaces out;
  // How many elements hold each solid face.
  std::unordered_map<TFaceKey, std::uint32_t, TFaceKeyHash> held;
  held.reserve(elems.size() * std::size(HEX_FACES));
  for (std::size_t i = 0; i < elems.size(); ++i) {
    const TElemShape shape = ShapeOf(elems[i], points.size());
    for (const TFaceCorners& corners : shape.faces) ++held[KeyOf(MakeFace(elems[i], corners, 0))];
  }
  for (std::size_t i = 0; i < elems.size(); ++i) {
    const TMeshElem& e = elems[i];
    const auto index = static_cast<std::uint32_t>(i);
    const TElemShape shape = ShapeOf(e, points.size());
    if (!shape.pType) {
      ++out.nSkipped;
      continue;
    }
    const std::span<const std::uint32_t> corners(
        e.aCorner.data(), static_cast<std::size_t>(shape.pType->m_nCornerNodeCnt));
    if (shape.pType->m_nDimension == DIM_LINE) {
      out.aLine.push_back({{corners[0], corners[1]}, index});
    } else if (shape.pType->m_nDimension == DIM_SURFACE) {
      const TFaceCorners order = {0, 1, 2, corners.size() == 4 ? 3 : NO_CORNER};
      out.aFace.push_back(MakeFace(e, order, index));
    } else if (!shape.faces.empty()) {
      const TPoint centre = Centre(corners, points);
      for (const TFaceCorners& c : shape.faces) {
        TOuterFace face = MakeFace(e, c, index);
        if (held.find(KeyOf(face))->second != 1) continue;
        TurnOutwards(face, centre, points);
        out.aFace.push_back(face);
      }
    }
  }
  return out;
}

}  // namespace pvk::picture
