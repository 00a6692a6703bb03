#include "session/PoolEntryRanges.h"

#include <algorithm>

namespace {
bool StartsAfter(std::uint64_t addr, const std::pair<std::uint64_t, std::uint64_t>& range) {
  return addr < range.first;
}
}  // namespace

void CPoolEntryRanges::Note(const void* pElem) {
  const auto addr = reinterpret_cast<std::uint64_t>(pElem);
  if (m_nGrowing < m_ranges.size() && m_ranges[m_nGrowing].second == addr) {
    m_ranges[m_nGrowing].second += m_nStride;
    return;
  }
  // A recycled element is already known; anything else starts a new run (a new block).
  if (Contains(addr)) return;
  const auto it = std::upper_bound(m_ranges.begin(), m_ranges.end(), addr, StartsAfter);
  m_nGrowing =
      static_cast<std::size_t>(m_ranges.insert(it, {addr, addr + m_nStride}) - m_ranges.begin());
}

bool CPoolEntryRanges::Contains(std::uint64_t addr) const {
  const auto it = std::upper_bound(m_ranges.begin(), m_ranges.end(), addr, StartsAfter);
  if (it == m_ranges.begin()) return false;
  const Range& range = *(it - 1);
  return addr < range.second && (addr - range.first) % m_nStride == 0;
}

void CPoolEntryRanges::Clear() {
  m_ranges.clear();
  m_nGrowing = 0;
}
