#include "PvkModelSummary.h"

#include <fmt/format.h>

#include <algorithm>

#include "PvkSession.h"
#include "PvkText.h"
#include "ibm/MPUVolume.h"
#include "ibm/MeshPostUnit.h"
#include "resultfile/PZARFile.h"
#include "resultfile/records/PZARRecordBlocks150.h"

namespace {

void Enclose(std::optional<TBox>& box, const zar::MVector<double, 3>& p) {
  if (!box) box = std::array<double, 6>{p[0], p[1], p[2], p[0], p[1], p[2]};
  for (std::size_t a = 0; a < 3; ++a) {
    (*box)[a] = std::min((*box)[a], p[a]);
    (*box)[a + 3] = std::max((*box)[a + 3], p[a]);
  }
}

// The eight corners of the grid's box, which in local axes need not be the global box.
void EncloseGrid(std::optional<TBox>& box, const TMPUBndrD& grid) {
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
  if (const std::optional<TBox> grids = GridsBox(*session.File().GetMPUPost())) {
    Enclose(summary.bbox, {{grids->at(0), grids->at(1), grids->at(2)}});
    Enclose(summary.bbox, {{grids->at(3), grids->at(4), grids->at(5)}});
  }
  return summary;
}

std::optional<TBox> GridsBox(const CMPUPost& mpu) {
  std::optional<TBox> box;
  for (const auto& pGrid : mpu.GetBndrDList()) EncloseGrid(box, *pGrid);
  return box;
}

std::string BoxText(const TBox& box) {
  return fmt::format("x {} to {}, y {} to {}, z {} to {}", pvk_text::Number(box[0]),
                     pvk_text::Number(box[3]), pvk_text::Number(box[1]), pvk_text::Number(box[4]),
                     pvk_text::Number(box[2]), pvk_text::Number(box[5]));
}
