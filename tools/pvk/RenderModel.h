#pragma once
// What `pvk render` draws, taken from a session: the model's nodes and elements by index, a
// result's values on them as `pvk values` shows them, and the nodes moved by a displacement.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "render/OuterFaces.h"

class CPvkSession;
class CVResult;

namespace pvk_render {

struct TRenderMesh {
  std::vector<pvk::picture::TPoint> aPoint;
  std::vector<pvk::picture::TMeshElem> aElem;
  std::unordered_map<std::int32_t, std::uint32_t> mapNode;  // id to index
  std::unordered_map<std::int32_t, std::uint32_t> mapElem;
};

// The model's nodes and elements, elements by their corner nodes.
TRenderMesh MeshOf(CPvkSession& session);

struct TRenderValues {
  std::vector<double> aNode;  // per node (node results), else empty
  std::vector<double> aElem;  // per element (element results: the centre), else empty
  std::vector<double> aAll;   // every value shown, as the legend counts them
};

// The values of a node or element result; throws CPvkError (2) for another location.
TRenderValues ValuesOf(CPvkSession& session, CVResult& vr, const TRenderMesh& mesh);

// Moves every node by `scale` times its translation (the x, y and z columns of `vr`); nodes
// without a finite translation stay.
void Deform(CPvkSession& session, CVResult& vr, double scale, TRenderMesh& mesh);

}  // namespace pvk_render
