// The volume data of the implicit-boundary grids: which grid nodes carry results (the first
// node id list of the node results) and which cells have results on all their nodes.
#include <array>
#include <cstdint>
#include <limits>

#include "resultfile/PZARFile.h"
#include "resultfile/PZARFileImportHelper140.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/PZARRecordIBMGridInfo.h"
#include "resultfile/records/PZARRecordNodeElemIDList.h"

namespace {

constexpr std::int64_t kMaxNodeTotal = std::numeric_limits<std::int32_t>::max();
// Grid nodes per byte of the file at most: the cells are numbered one by one, so a damaged
// grid header must not ask for billions of them from a small file.
constexpr std::int64_t kMaxNodesPerFileByte = 64;

// The grid node flags, with out-of-range ids reading as unflagged.
class CGridNodeFlags {
public:
  explicit CGridNodeFlags(zar::MArray<char>& flags) : m_flags(flags) {}
  bool Get(std::int64_t id) const {
    return id >= 0 && id < static_cast<std::int64_t>(m_flags.size()) && m_flags[id];
  }
  void Set(std::int64_t id) {
    if (id >= 0 && id < static_cast<std::int64_t>(m_flags.size())) m_flags[id] = 1;
  }

private:
  zar::MArray<char>& m_flags;
};

struct TGrid {
  std::int64_t nx, ny, nz, first;
  std::int64_t Node(std::int64_t i, std::int64_t j, std::int64_t k) const {
    return first + i + j * nx + k * nx * ny;
  }
};

// A quadratic cell spans 3 × 3 × 3 nodes; the corners and edge midpoints (at most one offset
// of 1) must carry results, and then the face centres and the centre count as carrying them.
bool FlagQuadraticCell(const TGrid& g, std::int64_t i, std::int64_t j, std::int64_t k,
                       CGridNodeFlags& nodes) {
  if (i + 2 >= g.nx || j + 2 >= g.ny || k + 2 >= g.nz) return false;
  for (int c = 0; c < 3; ++c)
    for (int b = 0; b < 3; ++b)
      for (int a = 0; a < 3; ++a)
        if ((a == 1) + (b == 1) + (c == 1) <= 1 && !nodes.Get(g.Node(i + a, j + b, k + c)))
          return false;
  for (int c = 0; c < 3; ++c)
    for (int b = 0; b < 3; ++b)
      for (int a = 0; a < 3; ++a)
        if ((a == 1) + (b == 1) + (c == 1) >= 2) nodes.Set(g.Node(i + a, j + b, k + c));
  return true;
}

bool FlagLinearCell(const TGrid& g, std::int64_t i, std::int64_t j, std::int64_t k,
                    const CGridNodeFlags& nodes) {
  for (int c = 0; c < 2; ++c)
    for (int b = 0; b < 2; ++b)
      for (int a = 0; a < 2; ++a)
        if (!nodes.Get(g.Node(i + a, j + b, k + c))) return false;
  return true;
}

}  // namespace

void CPZARFileImportHelper_140::MakeVolumeData() {
  // First pass: the grid node total, then the flags of the first node id list of node results.
  std::int64_t total = 0;
  std::int32_t resultType = 0;
  zar::MArray<const CPZARRecordIBMGridInfo*> grids;
  for (const auto& pOwned : m_info.pFile->GetRecordList()) {
    CPZARRecord* pRecord = pOwned.get();
    if (const auto* pGrid = PZARRecordCast<CPZARRecordIBMGridInfo>(pRecord)) {
      // The counts are checked before anything is multiplied or looped over; a damaged grid
      // would misnumber the cells of every grid after it, so it leaves no volume data.
      std::int32_t nodes = 0;
      std::int32_t cells = 0;
      if (!pGrid->GetNodeElemSize(nodes, cells)) return;
      total += nodes;
      if (total > kMaxNodeTotal) return;
      grids.push_back(pGrid);
    } else if (pRecord->GetType() == PZAR_RECORD_TYPE::RESULT_TYPE) {
      resultType = pRecord->GetHeader().id;
    } else if (pRecord->GetType() == PZAR_RECORD_TYPE::NODE_ID_LIST && resultType == 0) {
      if (grids.empty()) return;
      zar::MArray<std::int32_t> ids;
      auto* pList = PZARRecordCast<CPZARRecordNodeIDList>(pRecord);
      if (!pList || !pList->LoadData(ids, nullptr, nullptr)) return;
      // Sized by the listed ids, not the grid headers: a damaged header cannot make the flags
      // larger than what the file lists.
      std::int64_t maxId = 0;
      for (const std::int32_t id : ids)
        if (id <= total && id > maxId) maxId = id;
      m_aVolumeNode.assign(static_cast<std::size_t>(maxId) + 1, 0);
      for (const std::int32_t id : ids)
        if (id >= 0 && id <= total) m_aVolumeNode[static_cast<std::size_t>(id)] = 1;
      break;
    }
  }
  const std::int64_t fileBytes = static_cast<std::int64_t>(m_info.pFile->GetFile().GetLength());
  if (m_aVolumeNode.empty() || total > kMaxNodesPerFileByte * fileBytes) {
    m_aVolumeNode.clear();
    return;
  }
  // Second pass over the grids before that list: number the cells, x fastest.
  CGridNodeFlags nodes(m_aVolumeNode);
  for (const CPZARRecordIBMGridInfo* pGrid : grids) {
    const auto& n = pGrid->GetNumber();
    // A grid without points has no cells; skipping it keeps the loops below its point count.
    if (std::int64_t{n[0]} * n[1] * n[2] == 0) continue;
    const TGrid g{n[0], n[1], n[2], pGrid->GetNidStart()};
    const bool bLinear = pGrid->GetElemOrder() == 1;
    const std::int64_t d = bLinear ? 1 : 2;
    for (std::int64_t k = 0; k < g.nz - 1; k += d)
      for (std::int64_t j = 0; j < g.ny - 1; j += d)
        for (std::int64_t i = 0; i < g.nx - 1; i += d) {
          const bool bFlag =
              bLinear ? FlagLinearCell(g, i, j, k, nodes) : FlagQuadraticCell(g, i, j, k, nodes);
          m_aVolumeCell.push_back(bFlag ? 1 : 0);
        }
  }
}
