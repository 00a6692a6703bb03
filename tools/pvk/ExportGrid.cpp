#include "ExportGrid.h"

#include <algorithm>

#include "PvkSession.h"
#include "VtkCells.h"
#include "session/MemModelDB.h"

namespace pvk_export {

namespace {

// A flat table is taken while it is at most this many times the ids it holds (plus a little).
constexpr std::int64_t kDenseSpread = 4;
constexpr std::int64_t kDenseSlack = 1024;

void AddPoints(const CMemModelDB& db, TExportGrid& grid) {
  const auto count = static_cast<std::size_t>(db.GetNodeTable()->GetCount());
  ReserveLarge(grid.positions, 3 * count);
  ReserveLarge(grid.nodeIds, count);
  db.ForEachNode([&grid](const TMemDBNode& node) {
    grid.nodeIds.push_back(node.m_nID);
    grid.positions.insert(grid.positions.end(), node.m_vPos.data(), node.m_vPos.data() + 3);
  });
}

void AddCells(const CMemModelDB& db, TExportGrid& grid) {
  const auto count = static_cast<std::size_t>(db.GetElementTable()->GetCount());
  ReserveLarge(grid.connectivity, 8 * count);  // hexahedra; more nodes grow it
  ReserveLarge(grid.offsets, count);
  ReserveLarge(grid.types, count);
  ReserveLarge(grid.elemIds, count);
  db.ForEachElement([&](const TMemDBElem& elem) {
    const TVtkCell& cell = VtkCellOf(elem.m_nType);
    if (cell.type == 0) return;
    // The database took the element only when it holds all its nodes.
    for (std::int32_t k = 0; k < cell.nodes; ++k)
      grid.connectivity.push_back(grid.pointIndex.Find(elem.m_aNodeID[cell.order[k]]));
    grid.offsets.push_back(static_cast<std::int64_t>(grid.connectivity.size()));
    grid.types.push_back(cell.type);
    grid.elemIds.push_back(elem.m_nID);
  });
}

}  // namespace

CIdIndex::CIdIndex(std::span<const std::int32_t> ids) {
  if (ids.empty()) return;
  const auto [lo, hi] = std::minmax_element(ids.begin(), ids.end());
  const std::int64_t spread = std::int64_t{*hi} - *lo + 1;
  m_bDense = spread <= kDenseSpread * static_cast<std::int64_t>(ids.size()) + kDenseSlack;
  m_nFirst = *lo;
  if (m_bDense) m_aDense.assign(static_cast<std::size_t>(spread), -1);
  for (std::size_t i = 0; i < ids.size(); ++i) {
    const auto at = static_cast<std::int64_t>(i);
    if (m_bDense)
      m_aDense[ids[i] - m_nFirst] = at;
    else
      m_mapOther.emplace(ids[i], at);
  }
}

TExportGrid BuildGrid(CPvkSession& session) {
  const CMemModelDB& db = session.Model();
  TExportGrid grid;
  AddPoints(db, grid);
  grid.pointIndex = CIdIndex(grid.nodeIds);
  AddCells(db, grid);
  grid.cellIndex = CIdIndex(grid.elemIds);
  return grid;
}

}  // namespace pvk_export
