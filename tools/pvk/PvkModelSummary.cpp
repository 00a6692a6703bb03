#include "PvkModelSummary.h"

#include <algorithm>

#include "PvkSession.h"
#include "ibm/MPUVolume.h"
#include "ibm/MeshPostUnit.h"
#include "resultfile/PZARFile.h"
#include "resultfile/records/PZARRecordBlocks150.h"

namespace {

void Enclose(std::optional<std::array<double, 6>>& box, const zar::MVector<double, 3>& p) {
  if (!box) box = std::array<double, 6>{p[0], p[1], p[2], p[0], p[1], p[2]};
  for (std::size_t a = 0; a < 3; ++a) {
    (*box)[a] = std::min((*box)[a], p[a]);
    (*box)[a + 3] = std::max((*box)[a + 3], p[a]);
  }
}

// The eight corners of the grid's box, which in local axes need not be the global box.
void EncloseGrid(std::optional<std::array<double, 6>>& box, const TMPUBndrD& grid) {
  const auto& n = grid.m_aNumber;
  if (n[0] < 1 || n[1] < 1 || n[2] < 1) return;
  for (std::int32_t c = 0; c < 8; ++c)
    Enclose(box, mpu_volume::GridPointPos(grid, c & 1 ? n[0] - 1 : 0, c & 2 ? n[1] - 1 : 0,
                                          c & 4 ? n[2] - 1 : 0));
}

}  // namespace

TModelSummary SummariseModel(CPvkSession& session) {
  const CMemModelDB& db = session.Model();
  TModelSummary summary;
  summary.nodes = db.GetNodeTable()->GetCount();
  summary.elements = db.GetElementTable()->GetCount();
  // The database has no walk over its nodes: the records name them, and the database holds
  // the position that counts when an id repeats.
  zar::MArray<int> ids;
  zar::MArray<zar::MVector<double, 3>> positions;
  for (const auto& pRecord : session.File().GetRecordList()) {
    const auto* pNodes = PZARRecordCast<CPZARRecordNode_150>(pRecord.get());
    if (!pNodes || !pNodes->GetNodeData(ids, positions)) continue;
    for (const int id : ids)
      if (const TMemDBNode* pNode = db.GetNode(db.GetNodeTable()->FindByID(id)))
        Enclose(summary.bbox, pNode->m_vPos);
  }
  for (const auto& pGrid : session.File().GetMPUPost()->GetBndrDList())
    EncloseGrid(summary.bbox, *pGrid);
  return summary;
}
