#include "vresult/CompTypeVResMap.h"

CCompTypeVResMap& CCompTypeVResMap::GetInstance() {
  static CCompTypeVResMap s_map;
  return s_map;
}

int CCompTypeVResMap::Register(std::int32_t compId, std::int32_t resultId) {
  // A multimap inserts behind equal keys, which keeps the registration order per id.
  m_mapPairs.emplace(compId, resultId);
  return 1;
}

std::int32_t CCompTypeVResMap::GetCompIDCount() const {
  std::int32_t nCount = 0;
  for (auto it = m_mapPairs.begin(); it != m_mapPairs.end(); it = m_mapPairs.upper_bound(it->first))
    ++nCount;
  return nCount;
}
