#pragma once
// The volume mesh of the mesh post unit: the nodes and elements of its body sets, each id
// numbered once in body set order. A grid mesh also has node positions, the display nodes
// of each element (8 for linear cells, 27 for quadratic ones) and the elements at each node.
#include <cstdint>
#include <memory>
#include <span>

#include "base/Containers.h"
#include "ibm/MPUIndexMap.h"
#include "ibm/MPURecords.h"
#include "qve_pvk_export.h"

// A flat view of the volume mesh, valid until the mesh changes. Node and element lists hold
// indices; pointers are null for empty arrays.
struct TMPUBodyStruct {
  std::int32_t m_nNodeSize;
  std::int32_t m_nElemSize;
  const std::int32_t* m_pNodeID;
  const zar::MVector<double, 3>* m_pNodePos;
  const std::int32_t* m_pNodeElemCnt;
  const std::int32_t* m_pNodeElemStart;  // into m_pNodeElem
  const std::int32_t* m_pNodeElem;
  const std::int32_t* m_pElemID;
  const std::int32_t* m_pElemNodeCnt;
  const std::int32_t* m_pElemNodeStart;  // into m_pElemNode
  const std::int32_t* m_pElemNode;
};

class PVK_API CMPUBody {
public:
  std::int32_t GetNodeSize() const { return static_cast<std::int32_t>(m_aNodeID.size()); }
  std::int32_t GetElemSize() const { return static_cast<std::int32_t>(m_aElemID.size()); }
  std::int32_t FindNodeIndex(std::int32_t id) const { return FindMPUIndex(m_mapNode, id); }
  std::int32_t FindElemIndex(std::int32_t id) const { return FindMPUIndex(m_mapElem, id); }
  std::int32_t GetNodeID(std::int32_t idx) const { return GetMPUId(m_aNodeID, idx); }
  std::int32_t GetElemID(std::int32_t idx) const { return GetMPUId(m_aElemID, idx); }
  // The element of a grid cell (cells numbered from 0 over the grids); -1 for none.
  std::int32_t FindCellElemIndex(std::int32_t cell) const {
    return cell >= 0 && cell < INT32_MAX ? FindElemIndex(cell + 1) : -1;
  }

  const zar::MVector<double, 3>& GetNodePos(std::int32_t idx) const { return m_aNodePos.at(idx); }
  std::int32_t GetNodeElemCount(std::int32_t idx) const { return m_aNodeElemCnt.at(idx); }
  // Indices of the elements at the node, in element order.
  std::span<const std::int32_t> GetNodeElems(std::int32_t idx) const;
  std::int32_t GetElemNodeCount(std::int32_t idx) const { return m_aElemNodeCnt.at(idx); }
  // Indices of the element's display nodes, in display node order.
  std::span<const std::int32_t> GetElemNodes(std::int32_t idx) const;
  TMPUBodyStruct GetStruct() const;

  // Numbers the ids of the body sets; no positions or connectivity (nodes at the origin).
  void Build(const zar::MArray<std::unique_ptr<TMPUBodySet>>& sets);
  void Clear();

  // Building a grid mesh: the nodes, then the elements, then FinishElems. Each returns the
  // new index, or -1 when the id is taken (or an element names a node index that is none).
  std::int32_t AddNode(std::int32_t id, const zar::MVector<double, 3>& pos);
  std::int32_t AddElem(std::int32_t id, std::span<const std::int32_t> nodes);
  // Builds the elements at each node.
  void FinishElems();

private:
  zar::MArray<std::int32_t> m_aNodeID;
  zar::MArray<std::int32_t> m_aElemID;
  TMPUIndexMap m_mapNode;
  TMPUIndexMap m_mapElem;
  zar::MArray<zar::MVector<double, 3>> m_aNodePos;
  zar::MArray<std::int32_t> m_aNodeElemCnt;
  zar::MArray<std::int32_t> m_aNodeElemStart;
  zar::MArray<std::int32_t> m_aNodeElem;
  zar::MArray<std::int32_t> m_aElemNodeCnt;
  zar::MArray<std::int32_t> m_aElemNodeStart;
  zar::MArray<std::int32_t> m_aElemNode;
};
