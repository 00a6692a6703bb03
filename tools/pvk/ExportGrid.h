#pragma once
// The model of a result file as a VTK unstructured grid: the nodes of its model database as
// points, its elements as cells, in the database's order, with the ways from entity ids to
// points and cells that the results take.
#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

#include "base/HugePages.h"

class CPvkSession;

namespace pvk_export {

// Room for `count` values, on huge pages where the kernel has them: the first touch of small
// pages costs more than writing a large array.
template <class T>
void ReserveLarge(std::vector<T>& values, std::size_t count) {
  values.reserve(count);
  zar::lib::AdviseHugePages(values.data(), count * sizeof(T));
}

// Ids to their positions 0, 1, 2, ...: a flat table when the ids are dense, a hash map else.
class CIdIndex {
public:
  CIdIndex() = default;  // finds nothing
  explicit CIdIndex(std::span<const std::int32_t> ids);
  // -1 when no position has the id.
  std::int64_t Find(std::int32_t id) const {
    if (!m_bDense) {
      const auto it = m_mapOther.find(id);
      return it == m_mapOther.end() ? -1 : it->second;
    }
    const std::int64_t at = std::int64_t{id} - m_nFirst;
    return at >= 0 && at < static_cast<std::int64_t>(m_aDense.size()) ? m_aDense[at] : -1;
  }

private:
  bool m_bDense = true;
  std::int64_t m_nFirst = 0;
  std::vector<std::int64_t> m_aDense;
  std::unordered_map<std::int32_t, std::int64_t> m_mapOther;
};

struct TExportGrid {
  std::vector<double> positions;  // x, y, z per point
  std::vector<std::int64_t> connectivity;
  std::vector<std::int64_t> offsets;  // the end of each cell's points in the connectivity
  std::vector<std::uint8_t> types;
  std::vector<std::int32_t> nodeIds, elemIds;  // of each point and cell
  CIdIndex pointIndex, cellIndex;              // node and element ids to points and cells

  std::int64_t Points() const { return static_cast<std::int64_t>(nodeIds.size()); }
  std::int64_t Cells() const { return static_cast<std::int64_t>(elemIds.size()); }
  // The cell's points, in VTK's order.
  std::span<const std::int64_t> CellPoints(std::int64_t cell) const {
    const std::int64_t first = cell == 0 ? 0 : offsets[cell - 1];
    return std::span(connectivity).subspan(first, offsets[cell] - first);
  }
};

// Every node; every element of a shape that VTK has (not those of type 0).
TExportGrid BuildGrid(CPvkSession& session);

}  // namespace pvk_export
