#pragma once
// The position of each id in an id list, for loads that follow the order of model iterators.
// Ids of a model are mostly dense, so a table indexed by id serves when their range is at most
// a few times their count; a hash map otherwise. The first of a repeated id wins.
#include <cstddef>
#include <cstdint>
#include <unordered_map>

#include "base/Containers.h"

class CIDPositions {
public:
  explicit CIDPositions(const zar::MArray<std::int32_t>& ids);

  // False when the id is not in the list.
  bool Find(std::int32_t id, std::size_t& pos) const;

private:
  static constexpr std::int64_t kDenseFactor = 4;
  static constexpr std::int32_t kNone = -1;
  std::size_t Slot(std::int32_t id) const {
    return static_cast<std::size_t>(static_cast<std::int64_t>(id) - m_nMin);
  }

  std::int32_t m_nMin = 0;
  zar::MArray<std::int32_t> m_aTable;  // positions fit: a list holds at most 2^31 - 1 ids
  std::unordered_map<std::int32_t, std::size_t> m_map;
};
