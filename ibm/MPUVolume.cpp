#include "ibm/MPUVolume.h"

#include <array>
#include <limits>
#include <unordered_set>

namespace mpu_volume {

namespace {

constexpr std::int64_t kMaxId = std::numeric_limits<std::int32_t>::max();

// The counts of one grid, checked.
struct TGridDims {
  std::array<std::int64_t, 3> n{};
  std::int64_t order = 1;
  std::int64_t nidStart = 1;
  std::array<std::int64_t, 3> walked{};  // cells of the import's walk per axis
  std::array<std::int64_t, 3> cells{};   // whole cells per axis

  std::int64_t Walked() const { return walked[0] * walked[1] * walked[2]; }
  std::int64_t Cells() const { return cells[0] * cells[1] * cells[2]; }
  std::int64_t Points() const { return n[0] * n[1] * n[2]; }
  std::int64_t NodeId(std::int64_t i, std::int64_t j, std::int64_t k) const {
    return nidStart + i + (j + k * n[1]) * n[0];
  }
};

// Why the grid cannot be meshed; empty when it can.
CString CheckGrid(const TMPUBndrD& grid, std::int32_t no, TGridDims& dims) {
  CString why;
  dims.order = grid.m_nElemOrder;
  dims.nidStart = grid.m_nNidStart;
  std::int64_t points = 1;
  for (std::size_t a = 0; a < 3; ++a) {
    dims.n[a] = grid.m_aNumber[a];
    if (dims.n[a] < 0) why.Format(L"grid %d has a negative point count", no);
    points *= std::max<std::int64_t>(dims.n[a], 0);
    if (points > kMaxId) why.Format(L"grid %d has more than 2^31 points", no);
    if (!why.IsEmpty()) return why;
  }
  if (dims.order != 1 && dims.order != 2)
    why.Format(L"grid %d has cell order %d", no, grid.m_nElemOrder);
  else if (dims.nidStart < 1 || dims.nidStart + points - 1 > kMaxId)
    why.Format(L"the node ids of grid %d, from %d, do not fit", no, grid.m_nNidStart);
  if (!why.IsEmpty()) return why;
  for (std::size_t a = 0; a < 3; ++a) {
    const std::int64_t intervals = points ? dims.n[a] - 1 : 0;  // a grid without points is empty
    dims.walked[a] = (intervals + dims.order - 1) / dims.order;
    dims.cells[a] = intervals / dims.order;
  }
  return why;
}

class CVolumeBuild {
public:
  CVolumeBuild(const zar::MArray<char>& nodeFlags, const zar::MArray<char>& cellFlags,
               CMPUBody& body)
      : m_nodeFlags(nodeFlags), m_cellFlags(cellFlags), m_body(body) {}

  CString AddGrid(const TMPUBndrD& grid, const TGridDims& dims, std::int32_t no, TGridMesh& mesh) {
    CString why = AddNodes(grid, dims, no, mesh);
    if (why.IsEmpty()) why = AddCells(dims, no, mesh);
    m_nCellBase += dims.Cells();
    return why;
  }

private:
  bool IsNodeFlagged(std::int64_t id) const {
    return id < static_cast<std::int64_t>(m_nodeFlags.size()) && m_nodeFlags[id];
  }

  // Only ids the flags cover are visited, so the work follows the flags, not the grid's size.
  CString AddNodes(const TMPUBndrD& grid, const TGridDims& dims, std::int32_t no, TGridMesh& mesh) {
    const std::int64_t end =
        std::min(dims.nidStart + dims.Points(), static_cast<std::int64_t>(m_nodeFlags.size()));
    for (std::int64_t id = dims.nidStart; id < end; ++id) {
      if (!m_nodeFlags[id]) continue;
      const std::int64_t local = id - dims.nidStart;
      const std::int64_t i = local % dims.n[0], j = local / dims.n[0] % dims.n[1];
      const std::int64_t k = local / (dims.n[0] * dims.n[1]);
      if (m_body.AddNode(static_cast<std::int32_t>(id), GridPointPos(grid, i, j, k)) < 0) {
        CString why;
        why.Format(L"node %d of grid %d belongs to an earlier grid", static_cast<int>(id), no);
        return why;
      }
      mesh.m_aNodeID.push_back(static_cast<std::int32_t>(id));
    }
    return {};
  }

  CString AddCells(const TGridDims& dims, std::int32_t no, TGridMesh& mesh) {
    CString why;
    if (m_nCellBase + dims.Cells() >= kMaxId) {
      why.Format(L"the cells of grid %d have ids past 2^31", no);
      return why;
    }
    const std::int64_t d = dims.order;
    for (std::int64_t ck = 0; ck < dims.walked[2]; ++ck)
      for (std::int64_t cj = 0; cj < dims.walked[1]; ++cj)
        for (std::int64_t ci = 0; ci < dims.walked[0]; ++ci) {
          const bool flagged = m_cellFlags[m_nNextFlag++] != 0;
          const bool whole = ci < dims.cells[0] && cj < dims.cells[1] && ck < dims.cells[2];
          if (!flagged || !whole) continue;
          const std::int64_t cell = m_nCellBase + ci + (cj + ck * dims.cells[1]) * dims.cells[0];
          why = AddCell(dims, {ci * d, cj * d, ck * d}, cell, no);
          if (!why.IsEmpty()) return why;
          mesh.m_aElemID.push_back(static_cast<std::int32_t>(cell + 1));
        }
    return why;
  }

  CString AddCell(const TGridDims& dims, const std::array<std::int64_t, 3>& first,
                  std::int64_t cell, std::int32_t no) {
    const std::int32_t count = dims.order == 1 ? N_LINEAR_CELL_NODE : N_QUADRATIC_CELL_NODE;
    std::array<std::int32_t, N_QUADRATIC_CELL_NODE> nodes{};
    for (std::int32_t c = 0; c < count; ++c) {
      // Natural coordinate -1, 0, +1 is the cell's first, middle or last grid point.
      const auto& x = pvk::ibm::kHexaNodeNatural[c];
      const std::int64_t id = dims.NodeId(first[0] + (x[0] + 1) * dims.order / 2,
                                          first[1] + (x[1] + 1) * dims.order / 2,
                                          first[2] + (x[2] + 1) * dims.order / 2);
      nodes[c] = m_body.FindNodeIndex(static_cast<std::int32_t>(id));
      if (nodes[c] < 0) {
        CString why;
        why.Format(L"the cell of element %d in grid %d has node %d, which is not flagged",
                   static_cast<int>(cell + 1), no, static_cast<int>(id));
        return why;
      }
    }
    m_body.AddElem(static_cast<std::int32_t>(cell + 1), std::span(nodes.data(), count));
    return {};
  }

  const zar::MArray<char>& m_nodeFlags;
  const zar::MArray<char>& m_cellFlags;
  CMPUBody& m_body;
  std::size_t m_nNextFlag = 0;
  std::int64_t m_nCellBase = 0;
};

// Why the grids and the cell flags do not fit together; empty when they do.
CString CheckGrids(const zar::MArray<std::unique_ptr<TMPUBndrD>>& grids,
                   const zar::MArray<char>& cellFlags, zar::MArray<TGridDims>& dims) {
  CString why;
  std::unordered_set<std::int32_t> parts;
  std::int64_t walked = 0;
  for (std::size_t g = 0; g < grids.size() && why.IsEmpty(); ++g) {
    const auto no = static_cast<std::int32_t>(g + 1);
    why = CheckGrid(*grids[g], no, dims.emplace_back());
    if (why.IsEmpty() && !parts.insert(grids[g]->m_nPartID).second)
      why.Format(L"grid %d belongs to part %d, which has a grid already", no, grids[g]->m_nPartID);
    walked += dims.back().Walked();
  }
  if (why.IsEmpty() && walked != static_cast<std::int64_t>(cellFlags.size()))
    why.Format(L"the cell flags hold %d cells, the grids %d", static_cast<int>(cellFlags.size()),
               static_cast<int>(std::min(walked, kMaxId)));
  return why;
}

}  // namespace

zar::MVector<double, 3> GridPointPos(const TMPUBndrD& grid, std::int64_t i, std::int64_t j,
                                     std::int64_t k) {
  zar::MVector<double, 3> local;
  const std::array<double, 3> idx = {static_cast<double>(i), static_cast<double>(j),
                                     static_cast<double>(k)};
  for (std::size_t c = 0; c < 3; ++c) {
    local[c] = grid.m_aOrigin[c];
    for (std::size_t a = 0; a < 3; ++a) local[c] += idx[a] * grid.m_aStep[a][c];
  }
  if (grid.m_nAlign == 1) return local;
  // The rows of the rotation are the grid axes in global coordinates.
  zar::MVector<double, 3> global;
  for (std::size_t c = 0; c < 3; ++c) {
    global[c] = grid.m_aOrigin2[c];
    for (std::size_t r = 0; r < 3; ++r) global[c] += local[r] * grid.m_aRot[r][c];
  }
  return global;
}

std::int32_t GetCellCount(const TMPUBndrD& grid) {
  TGridDims dims;
  return CheckGrid(grid, 0, dims).IsEmpty() ? static_cast<std::int32_t>(dims.Cells()) : 0;
}

int Build(const zar::MArray<std::unique_ptr<TMPUBndrD>>& grids, const zar::MArray<char>& nodeFlags,
          const zar::MArray<char>& cellFlags, CMPUBody& body, zar::MArray<TGridMesh>& meshes,
          CString& reason) {
  body.Clear();
  meshes.clear();
  zar::MArray<TGridDims> dims;
  reason = CheckGrids(grids, cellFlags, dims);
  CVolumeBuild build(nodeFlags, cellFlags, body);
  for (std::size_t g = 0; g < grids.size() && reason.IsEmpty(); ++g)
    reason =
        build.AddGrid(*grids[g], dims[g], static_cast<std::int32_t>(g + 1), meshes.emplace_back());
  if (!reason.IsEmpty()) {
    body.Clear();
    meshes.clear();
    return 0;
  }
  body.FinishElems();
  return 1;
}

}  // namespace mpu_volume
