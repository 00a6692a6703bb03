#include "resultfile/records/IDPositions.h"

#include <algorithm>

CIDPositions::CIDPositions(const zar::MArray<std::int32_t>& ids) {
  if (ids.empty()) return;
  const auto [lo, hi] = std::minmax_element(ids.begin(), ids.end());
  const std::int64_t range = static_cast<std::int64_t>(*hi) - *lo + 1;
  if (range <= kDenseFactor * static_cast<std::int64_t>(ids.size())) {
    m_nMin = *lo;
    m_aTable.assign(static_cast<std::size_t>(range), kNone);
    for (std::size_t i = ids.size(); i-- > 0;) {
      m_aTable[Slot(ids[i])] = static_cast<std::int32_t>(i);
    }
    return;
  }
  m_map.max_load_factor(0.75f);
  m_map.reserve(ids.size());
  for (std::size_t i = 0; i < ids.size(); ++i) m_map.emplace(ids[i], i);
}

bool CIDPositions::Find(std::int32_t id, std::size_t& pos) const {
  if (m_aTable.empty()) {
    const auto it = m_map.find(id);
    if (it == m_map.end()) return false;
    pos = it->second;
    return true;
  }
  if (id < m_nMin || Slot(id) >= m_aTable.size()) return false;
  const std::int32_t at = m_aTable[Slot(id)];
  pos = static_cast<std::size_t>(at);
  return at != kNone;
}
