#pragma once
// Ids to item iterators for one model database table. Ids that come in rising order, as a file
// lists them, go into flat sorted arrays and are found at their place when they are dense, by
// binary search otherwise; only an id that comes out of order goes into a hash map.
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "qve_pvk_export.h"

class PVK_API CMemDBIdIndex {
public:
  void Reserve(std::size_t count);
  // 0 when no item has that id.
  std::uint64_t Find(std::int32_t id) const;
  // False, and nothing added, when the id is taken. dbItr is not 0.
  bool Add(std::int32_t id, std::uint64_t dbItr);

private:
  std::uint64_t FindRising(std::int32_t id) const;

  std::vector<std::int32_t> m_aRisingID;
  std::vector<std::uint64_t> m_aRisingItr;  // one per id of m_aRisingID
  std::unordered_map<std::int32_t, std::uint64_t> m_mapOther;
};
