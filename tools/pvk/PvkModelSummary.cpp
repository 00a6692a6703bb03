#include "PvkModelSummary.h"

#include <algorithm>

#include "PvkSession.h"
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
  return summary;
}
