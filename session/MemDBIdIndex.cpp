#include "session/MemDBIdIndex.h"

#include <algorithm>

void CMemDBIdIndex::Reserve(std::size_t count) {
  m_aRisingID.reserve(m_aRisingID.size() + count);
  m_aRisingItr.reserve(m_aRisingItr.size() + count);
}

std::uint64_t CMemDBIdIndex::FindRising(std::int32_t id) const {
  if (m_aRisingID.empty()) return 0;
  const std::int64_t place = std::int64_t{id} - m_aRisingID.front();
  if (place >= 0 && place < static_cast<std::int64_t>(m_aRisingID.size()) &&
      m_aRisingID[static_cast<std::size_t>(place)] == id)
    return m_aRisingItr[static_cast<std::size_t>(place)];
  const auto it = std::lower_bound(m_aRisingID.begin(), m_aRisingID.end(), id);
  return it != m_aRisingID.end() && *it == id ? m_aRisingItr[it - m_aRisingID.begin()] : 0;
}

std::uint64_t CMemDBIdIndex::Find(std::int32_t id) const {
  if (const std::uint64_t dbItr = FindRising(id)) return dbItr;
  if (m_mapOther.empty()) return 0;
  const auto it = m_mapOther.find(id);
  return it == m_mapOther.end() ? 0 : it->second;
}

bool CMemDBIdIndex::Add(std::int32_t id, std::uint64_t dbItr) {
  // Every id of the map is below the last rising id, so a new last id is free.
  if (m_aRisingID.empty() || id > m_aRisingID.back()) {
    m_aRisingID.push_back(id);
    m_aRisingItr.push_back(dbItr);
    return true;
  }
  return !FindRising(id) && m_mapOther.emplace(id, dbItr).second;
}
