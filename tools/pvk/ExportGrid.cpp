#include "ExportGrid.h"

#include <algorithm>

#include "PvkSession.h"
#include "VtkCells.h"
#include "resultfile/PZARFile.h"
#include "resultfile/records/PZARRecordBlocks150.h"
#include "session/MemModelDB.h"

namespace pvk_export {

namespace {

// A flat table is taken while it is at most this many times the ids it holds (plus a little).
constexpr std::int64_t kDenseSpread = 4;
constexpr std::int64_t kDenseSlack = 1024;

// The database iterator of each node and element, at its database key (its place in the
// order the database took them). The database has no walk over its tables: the file's
// records name every entity, and the database says which of them it holds.
struct TModelItrs {
  std::vector<std::uint64_t> nodes, elems;
};

void Place(const IPreDBTable& table, const zar::MArray<int>& ids, std::vector<std::uint64_t>& at) {
  for (const int id : ids)
    if (const std::uint64_t itr = table.FindByID(id)) {
      const std::uint32_t key = table.GetKey(itr);
      if (key < at.size()) at[key] = itr;
    }
}

TModelItrs ModelItrs(CPvkSession& session) {
  const CMemModelDB& db = session.Model();
  TModelItrs itrs;
  itrs.nodes.resize(static_cast<std::size_t>(db.GetNodeTable()->GetCount()));
  itrs.elems.resize(static_cast<std::size_t>(db.GetElementTable()->GetCount()));
  zar::MArray<int> ids, types, counts, nodeIds;
  zar::MArray<zar::MVector<double, 3>> positions;
  for (const auto& pRecord : session.File().GetRecordList()) {
    if (const auto* pNodes = PZARRecordCast<CPZARRecordNode_150>(pRecord.get())) {
      if (pNodes->GetNodeData(ids, positions)) Place(*db.GetNodeTable(), ids, itrs.nodes);
    } else if (const auto* pElems = PZARRecordCast<CPZARRecordElement_150>(pRecord.get())) {
      if (pElems->GetElemData(ids, types, counts, nodeIds))
        Place(*db.GetElementTable(), ids, itrs.elems);
    }
  }
  return itrs;
}

void AddPoints(const CMemModelDB& db, const std::vector<std::uint64_t>& itrs, TExportGrid& grid) {
  ReserveLarge(grid.positions, 3 * itrs.size());
  ReserveLarge(grid.nodeIds, itrs.size());
  for (const std::uint64_t itr : itrs) {
    const TMemDBNode* pNode = db.GetNode(itr);
    if (!pNode) continue;
    grid.nodeIds.push_back(pNode->m_nID);
    grid.positions.insert(grid.positions.end(), pNode->m_vPos.data(), pNode->m_vPos.data() + 3);
  }
}

void AddCells(const CMemModelDB& db, const std::vector<std::uint64_t>& itrs, TExportGrid& grid) {
  const CIdIndex points(grid.nodeIds);
  ReserveLarge(grid.connectivity, 8 * itrs.size());  // hexahedra; more nodes grow it
  ReserveLarge(grid.offsets, itrs.size());
  ReserveLarge(grid.types, itrs.size());
  ReserveLarge(grid.elemIds, itrs.size());
  for (const std::uint64_t itr : itrs) {
    const TMemDBElem* pElem = db.GetElement(itr);
    const TVtkCell& cell = VtkCellOf(pElem ? pElem->m_nType : 0);
    if (cell.type == 0) continue;
    // The database took the element only when it holds all its nodes.
    for (std::int32_t k = 0; k < cell.nodes; ++k)
      grid.connectivity.push_back(points.Find(pElem->m_aNodeID[cell.order[k]]));
    grid.offsets.push_back(static_cast<std::int64_t>(grid.connectivity.size()));
    grid.types.push_back(cell.type);
    grid.elemIds.push_back(pElem->m_nID);
  }
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
  const TModelItrs itrs = ModelItrs(session);
  TExportGrid grid;
  AddPoints(db, itrs.nodes, grid);
  AddCells(db, itrs.elems, grid);
  return grid;
}

}  // namespace pvk_export
