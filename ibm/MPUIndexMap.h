#pragma once
// Id to index maps of the mesh post unit: ids are 1-based, indices 0-based, -1 means none.
#include <cstdint>
#include <unordered_map>

#include "base/Containers.h"

using TMPUIndexMap = std::unordered_map<std::int32_t, std::int32_t>;

inline std::int32_t FindMPUIndex(const TMPUIndexMap& map, std::int32_t id) {
  const auto it = map.find(id);
  return it == map.end() ? -1 : it->second;
}

// The index of id, appending it to ids when it is new.
inline std::int32_t AddMPUIndex(TMPUIndexMap& map, zar::MArray<std::int32_t>& ids,
                                std::int32_t id) {
  const auto [it, added] = map.try_emplace(id, static_cast<std::int32_t>(ids.size()));
  if (added) ids.push_back(id);
  return it->second;
}

inline std::int32_t GetMPUId(const zar::MArray<std::int32_t>& ids, std::int32_t idx) {
  return idx >= 0 && static_cast<std::size_t>(idx) < ids.size() ? ids[idx] : -1;
}
