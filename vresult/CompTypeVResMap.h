#pragma once
// Which virtual results become available when a data set holds a component of a given id.
#include <cstdint>
#include <map>
#include <utility>

#include "qve_pvk_export.h"

class PVK_API CCompTypeVResMap {
public:
  using TPairMap = std::multimap<std::int32_t, std::int32_t>;  // component id -> result id
  using TRange = std::pair<TPairMap::const_iterator, TPairMap::const_iterator>;

  CCompTypeVResMap() = default;
  CCompTypeVResMap(const CCompTypeVResMap&) = delete;
  CCompTypeVResMap& operator=(const CCompTypeVResMap&) = delete;

  // A stand-alone map; the load-time registrations go to the manager's maps.
  static CCompTypeVResMap& GetInstance();

  // Adds the pair, also when it is already present; 1.
  int Register(std::int32_t compId, std::int32_t resultId);
  // The pairs of `compId` in the order they were registered.
  TRange EqualRange(std::int32_t compId) const { return m_mapPairs.equal_range(compId); }

  std::int32_t GetCount() const { return static_cast<std::int32_t>(m_mapPairs.size()); }
  // The number of distinct component ids.
  std::int32_t GetCompIDCount() const;

private:
  TPairMap m_mapPairs;
};
