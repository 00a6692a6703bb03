#include "ibm/MPUGeometry.h"

#include <algorithm>

namespace {

// Vertex numbers of the facet nodes for one group at a time; only the entries a group set
// are reset, so the work follows the facets.
class CVertexMap {
public:
  explicit CVertexMap(std::size_t nodes) : m_aVertex(nodes, -1) {}
  std::int32_t Get(std::int32_t node, zar::cad::MXTessellation& tess,
                   const zar::MArray<zar::MVector<double, 3>>& pos) {
    std::int32_t& v = m_aVertex[node];
    if (v < 0) {
      v = static_cast<std::int32_t>(tess.m_aPos.size());
      tess.m_aPos.push_back(pos[node]);
      m_aSet.push_back(node);
    }
    return v;
  }
  void Reset() {
    for (const std::int32_t node : m_aSet) m_aVertex[node] = -1;
    m_aSet.clear();
  }

private:
  zar::MArray<std::int32_t> m_aVertex;
  zar::MArray<std::int32_t> m_aSet;
};

}  // namespace

zar::MArray<TMPUPartBody> MakeMPUBodies(const CMPUFacet& facet) {
  zar::MArray<TMPUPartBody> bodies;
  const auto& pos = facet.GetNodePos();
  CVertexMap vertices(pos.size());
  for (const TMPUFacetGroup& group : *facet.GetStruct().m_pGroup) {
    zar::cad::MXTessellation tess;
    for (const std::int32_t id : group.m_aFacetID) {
      const TMPUFacetRec& rec = facet.GetFacet(facet.FindFacetIndex(id));
      if (std::any_of(std::begin(rec.m_aNode), std::end(rec.m_aNode),
                      [](std::int32_t n) { return n < 0; }))
        continue;
      for (const std::int32_t node : rec.m_aNode)
        tess.m_aTri.push_back(vertices.Get(node, tess, pos));
    }
    vertices.Reset();
    auto pBody = std::make_unique<zar::cad::MXBody>();
    pBody->AddFace().AddTessellation(std::move(tess));
    bodies.push_back({group.m_nBodyID, std::move(pBody)});
  }
  return bodies;
}
