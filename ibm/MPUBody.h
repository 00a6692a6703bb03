#pragma once
// The volume mesh of the mesh post unit: the nodes and elements of its body sets, each id
// numbered once in body set order.
#include <cstdint>
#include <memory>

#include "base/Containers.h"
#include "ibm/MPUIndexMap.h"
#include "ibm/MPURecords.h"

class CMPUBody {
public:
  std::int32_t GetNodeSize() const { return static_cast<std::int32_t>(m_aNodeID.size()); }
  std::int32_t GetElemSize() const { return static_cast<std::int32_t>(m_aElemID.size()); }
  std::int32_t FindNodeIndex(std::int32_t id) const { return FindMPUIndex(m_mapNode, id); }
  std::int32_t FindElemIndex(std::int32_t id) const { return FindMPUIndex(m_mapElem, id); }
  std::int32_t GetNodeID(std::int32_t idx) const { return GetMPUId(m_aNodeID, idx); }
  std::int32_t GetElemID(std::int32_t idx) const { return GetMPUId(m_aElemID, idx); }

  void Build(const zar::MArray<std::unique_ptr<TMPUBodySet>>& sets);
  void Clear();

private:
  zar::MArray<std::int32_t> m_aNodeID;
  zar::MArray<std::int32_t> m_aElemID;
  TMPUIndexMap m_mapNode;
  TMPUIndexMap m_mapElem;
};
