#include "RenderModel.h"

#include <fmt/format.h>

#include <cmath>

#include "PvkError.h"
#include "PvkSession.h"
#include "PvkText.h"
#include "ValueResult.h"
#include "ValueShown.h"
#include "core/DataTypes.h"
#include "session/ElemTypeTable.h"
#include "vresult/VResult.h"

namespace pvk_render {

namespace {

using namespace pvk_values;

// Translation results store their magnitude first, then x, y and z.
constexpr std::int32_t TRANSLATION_COLUMNS = 4;

// Calls f(row, values) for every row that `pvk values` prints of the result, with its stored
// columns or its shown value.
template <class F>
void EachValue(CPvkSession& session, CVResult& vr, bool columns, F f) {
  TVResParam param{nullptr, &session.Model()};
  CPostPartialDList list;
  const TShown shown = Shown(vr, LoadValues(vr, list, param), columns);
  const TRowRules rules{vr.GetLocType(), 0, false, &session.Model()};
  EachRow(vr, list, shown, rules, f);
}

}  // namespace

TRenderMesh MeshOf(CPvkSession& session) {
  const CMemModelDB& db = session.Model();
  TRenderMesh mesh;
  db.ForEachNode([&](const TMemDBNode& n) {
    mesh.mapNode.emplace(n.m_nID, static_cast<std::uint32_t>(mesh.aPoint.size()));
    mesh.aPoint.push_back(n.m_vPos);
  });
  db.ForEachElement([&](const TMemDBElem& e) {
    pvk::picture::TMeshElem elem;
    elem.nType = e.m_nType;
    const pvk::TElemTypeEntry* type = pvk::GetElemTypeEntry(e.m_nType);
    const std::size_t corners = type ? static_cast<std::size_t>(type->m_nCornerNodeCnt) : 0;
    for (std::size_t c = 0; c < corners && c < elem.aCorner.size(); ++c) {
      const auto it = mesh.mapNode.find(e.m_aNodeID[c]);
      // The model holds no element whose nodes it lacks; an index past the end is skipped.
      elem.aCorner[c] =
          it == mesh.mapNode.end() ? static_cast<std::uint32_t>(mesh.aPoint.size()) : it->second;
    }
    mesh.mapElem.emplace(e.m_nID, static_cast<std::uint32_t>(mesh.aElem.size()));
    mesh.aElem.push_back(elem);
  });
  return mesh;
}

TRenderValues ValuesOf(CPvkSession& session, CVResult& vr, const TRenderMesh& mesh) {
  const std::int32_t loc = vr.GetLocType();
  const bool nodal = loc == pvk::LOC_NODE;
  if (!nodal && loc != pvk::LOC_ELEM && loc != pvk::LOC_ELEM_CORNER && loc != pvk::LOC_ELEM_NODE)
    throw CPvkError(
        PVK_EXIT_USAGE,
        fmt::format("cannot draw result {} at {}", vr.GetType(), pvk_text::LocationName(loc)),
        "a picture shows node and element results");
  TRenderValues values;
  std::vector<double>& target = nodal ? values.aNode : values.aElem;
  const auto& ids = nodal ? mesh.mapNode : mesh.mapElem;
  target.assign(nodal ? mesh.aPoint.size() : mesh.aElem.size(), std::nan(""));
  std::vector<bool> centre(target.size(), false);
  EachValue(session, vr, false, [&](const TValueRow& row, std::span<const double> v) {
    values.aAll.push_back(v[0]);
    const auto it = ids.find(row.id);
    if (it == ids.end() || centre[it->second]) return;
    // An element shows its centre value, or its first where it has no centre.
    if (!nodal && row.at != ERowAt::CENTRE && !std::isnan(target[it->second])) return;
    target[it->second] = v[0];
    centre[it->second] = nodal || row.at == ERowAt::CENTRE;
  });
  return values;
}

void Deform(CPvkSession& session, CVResult& vr, double scale, TRenderMesh& mesh) {
  EachValue(session, vr, true, [&](const TValueRow& row, std::span<const double> v) {
    const auto it = mesh.mapNode.find(row.id);
    if (it == mesh.mapNode.end() || v.size() < TRANSLATION_COLUMNS) return;
    const pvk::picture::TPoint d = {{v[1], v[2], v[3]}};
    if (std::isfinite(d[0]) && std::isfinite(d[1]) && std::isfinite(d[2]))
      mesh.aPoint[it->second] = mesh.aPoint[it->second] + d * scale;
  });
}

}  // namespace pvk_render
