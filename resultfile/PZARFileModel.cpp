#include "resultfile/PZARFileModel.h"

#include <algorithm>
#include <cstddef>

#include "resultfile/PZARFile.h"
#include "resultfile/records/PZARRecordBlocks150.h"
#include "session/MemModelDB.h"

namespace {

using TInts = zar::MArray<int>;

int AddNodes(const CPZARRecordNode_150& record, CMemModelDB& db) {
  TInts ids;
  zar::MArray<zar::MVector<double, 3>> pos;
  if (!record.GetNodeData(ids, pos) || ids.size() != pos.size()) return 0;
  int added = 0;
  for (std::size_t i = 0; i < ids.size(); ++i)
    if (db.AddNode(ids[i], pos[i][0], pos[i][1], pos[i][2])) ++added;
  return added;
}

bool HasAllNodes(const CMemModelDB& db, const zar::MArray<std::int32_t>& nodeIds) {
  const IPreDBTable* pNodes = db.GetNodeTable();
  return std::all_of(nodeIds.begin(), nodeIds.end(),
                     [pNodes](std::int32_t id) { return pNodes->FindByID(id) != 0; });
}

int AddElements(const CPZARRecordElement_150& record, CMemModelDB& db) {
  TInts ids, types, nodeCnts, nodeIds;
  if (!record.GetElemData(ids, types, nodeCnts, nodeIds) || ids.size() != types.size() ||
      ids.size() != nodeCnts.size())
    return 0;
  int added = 0;
  std::size_t first = 0;
  for (std::size_t i = 0; i < ids.size(); ++i) {
    const auto count = static_cast<std::size_t>(nodeCnts[i]);
    if (count > nodeIds.size() - first) break;
    const zar::MArray<std::int32_t> nodes(nodeIds.begin() + first, nodeIds.begin() + first + count);
    first += count;
    if (HasAllNodes(db, nodes) && db.AddElement(ids[i], types[i], nodes)) ++added;
  }
  return added;
}

template <class TRecord>
int ForEachRecord(const CPZARFile& file, CMemModelDB& db,
                  int (*add)(const TRecord&, CMemModelDB&)) {
  int added = 0;
  for (const auto& pRecord : file.GetRecordList())
    if (const auto* pTyped = PZARRecordCast<TRecord>(pRecord.get())) added += add(*pTyped, db);
  return added;
}

}  // namespace

namespace pzar_model {

int FillModelDBFromFile(const CPZARFile& file, CMemModelDB& db) {
  const bool hasNodes = std::any_of(
      file.GetRecordList().begin(), file.GetRecordList().end(),
      [](const auto& p) { return PZARRecordCast<CPZARRecordNode_150>(p.get()) != nullptr; });
  if (!hasNodes) return 0;
  // Elements second: each is checked against the nodes already in the database.
  const int nodes = ForEachRecord<CPZARRecordNode_150>(file, db, AddNodes);
  return nodes + ForEachRecord<CPZARRecordElement_150>(file, db, AddElements);
}

}  // namespace pzar_model
