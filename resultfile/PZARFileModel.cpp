#include "resultfile/PZARFileModel.h"

#include <algorithm>
#include <cstddef>
#include <span>
#include <vector>

#include "resultfile/PZARFile.h"
#include "resultfile/records/PZARRecordBlocks150.h"
#include "session/MemModelDB.h"

namespace {

using TInts = zar::MArray<int>;

int AddNodes(const CPZARRecordNode_150& record, CMemModelDB& db) {
  TInts ids;
  zar::MArray<zar::MVector<double, 3>> pos;
  if (!record.GetNodeData(ids, pos) || ids.size() != pos.size()) return 0;
  db.Reserve(ids.size(), 0);
  int added = 0;
  for (std::size_t i = 0; i < ids.size(); ++i)
    if (db.AddNode(ids[i], pos[i][0], pos[i][1], pos[i][2])) ++added;
  return added;
}

bool HasAllNodes(const CMemModelDB& db, std::span<const std::int32_t> nodeIds) {
  const IPreDBTable* pNodes = db.GetNodeTable();
  return std::all_of(nodeIds.begin(), nodeIds.end(),
                     [pNodes](std::int32_t id) { return pNodes->FindByID(id) != 0; });
}

int AddElements(const CPZARRecordElement_150& record, CMemModelDB& db) {
  TInts ids, types, nodeCnts, nodeIds;
  if (!record.GetElemData(ids, types, nodeCnts, nodeIds) || ids.size() != types.size() ||
      ids.size() != nodeCnts.size())
    return 0;
  db.Reserve(0, ids.size());
  int added = 0;
  std::size_t first = 0;
  for (std::size_t i = 0; i < ids.size(); ++i) {
    const auto count = static_cast<std::size_t>(nodeCnts[i]);
    if (count > nodeIds.size() - first) break;
    const std::span<const std::int32_t> nodes(nodeIds.data() + first, count);
    first += count;
    if (HasAllNodes(db, nodes) && db.AddElement(ids[i], types[i], nodes)) ++added;
  }
  return added;
}

}  // namespace

namespace pzar_model {

int FillModelDBFromFile(const CPZARFile& file, CMemModelDB& db) {
  std::vector<const CPZARRecordNode_150*> nodeRecords;
  std::vector<const CPZARRecordElement_150*> elemRecords;
  for (const auto& pRecord : file.GetRecordList()) {
    if (const auto* pNodes = PZARRecordCast<CPZARRecordNode_150>(pRecord.get()))
      nodeRecords.push_back(pNodes);
    else if (const auto* pElems = PZARRecordCast<CPZARRecordElement_150>(pRecord.get()))
      elemRecords.push_back(pElems);
  }
  // Elements second: each is checked against the nodes already in the database.
  int added = 0;
  for (const auto* pNodes : nodeRecords) added += AddNodes(*pNodes, db);
  if (nodeRecords.empty()) return 0;
  for (const auto* pElems : elemRecords) added += AddElements(*pElems, db);
  return added;
}

}  // namespace pzar_model
