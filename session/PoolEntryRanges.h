#pragma once
// Remembers which addresses a fixed-size allocator has handed out, as runs of consecutive
// elements, so that a 64-bit handle can be checked before anything behind it is read.
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

class CPoolEntryRanges {
public:
  explicit CPoolEntryRanges(std::size_t nStride) : m_nStride(nStride) {}
  CPoolEntryRanges(const CPoolEntryRanges&) = delete;
  CPoolEntryRanges& operator=(const CPoolEntryRanges&) = delete;

  // Records an element just handed out by the allocator.
  void Note(const void* pElem);
  // True when addr is the start of an element handed out since the last Clear().
  bool Contains(std::uint64_t addr) const;
  // The allocator released all its memory.
  void Clear();

private:
  using Range = std::pair<std::uint64_t, std::uint64_t>;  // first element, end of the run

  std::size_t m_nStride;
  // Sorted by first element; one run per allocator block, so a binary search is short.
  std::vector<Range> m_ranges;
  // The run the allocator is currently extending; new elements mostly continue it.
  std::size_t m_nGrowing = 0;
};
