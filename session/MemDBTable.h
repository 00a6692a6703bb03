#pragma once
// One table of the in-memory model database. Items live in chunks that never move, so that
// their addresses, which serve as their iterators, survive later additions; a reservation
// makes one chunk for all the items to come.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <type_traits>
#include <vector>

#include "base/HugePages.h"
#include "core/ModelDBLink.h"
#include "qve_pvk_export.h"
#include "session/MemDBIdIndex.h"

// TRec must begin with its 32-bit id, m_nID.
template <class TRec>
class PVK_API CMemDBTable : public IPreDBTable {
  static_assert(std::is_trivially_copyable_v<TRec>);

public:
  const void* GetRecord(std::uint64_t dbItr) const override { return Find(dbItr); }
  std::int32_t GetCount() const override { return static_cast<std::int32_t>(m_nCount); }
  std::uint64_t FindByID(std::int32_t id) const override { return m_index.Find(id); }
  // The key is the insertion index; the high bits stay clear.
  std::uint32_t GetKey(std::uint64_t dbItr) const override { return IndexOf(dbItr); }

  // Room for count more items, so that adding them allocates nothing further.
  void Reserve(std::size_t count) {
    count = std::min(count, std::size_t{N_KEY_SPACE} - m_nCount);
    if (count <= Room()) return;
    AddChunk(count);
    m_index.Reserve(count);
  }

  // The new item's iterator, or 0 when its id is already taken or the keys are used up.
  std::uint64_t Add(const TRec& rec) {
    if (m_nCount >= N_KEY_SPACE) return 0;
    if (Room() == 0) AddChunk(std::max<std::size_t>(N_FIRST_CHUNK, m_nCount));
    TChunk& chunk = m_aChunk.back();
    TRec* pItem = chunk.pItems.get() + chunk.nUsed;
    const auto dbItr = reinterpret_cast<std::uint64_t>(pItem);
    if (!m_index.Add(rec.m_nID, dbItr)) return 0;
    *pItem = rec;
    ++chunk.nUsed;
    ++m_nCount;
    return dbItr;
  }

  // Calls f(const TRec&) for every item in key order: a walk without lookups.
  template <class F>
  void ForEach(F f) const {
    for (const TChunk& chunk : m_aChunk)
      for (std::uint32_t i = 0; i < chunk.nUsed; ++i) f(chunk.pItems[i]);
  }

  // Only iterators handed out by this table are dereferenced.
  const TRec* Find(std::uint64_t dbItr) const {
    return IndexOf(dbItr) == N_NO_KEY ? nullptr : reinterpret_cast<const TRec*>(dbItr);
  }

private:
  static constexpr std::uint32_t N_KEY_SPACE = N_KEY_INDEX_MASK + 1;
  static constexpr std::size_t N_FIRST_CHUNK = 16;  // items; later chunks double the table

  struct TChunk {
    std::unique_ptr<TRec[]> pItems;
    std::uint32_t nFirst;  // index of the chunk's first item
    std::uint32_t nUsed;
    std::uint32_t nCapacity;
  };
  struct TChunkPlace {
    std::uint64_t nBase;  // address of the chunk's first item
    std::size_t nChunk;
  };

  std::size_t Room() const {
    return m_aChunk.empty() ? 0 : m_aChunk.back().nCapacity - m_aChunk.back().nUsed;
  }

  // The room left in the last chunk is given up: items stay in insertion order.
  void AddChunk(std::size_t capacity) {
    capacity = std::min(capacity, std::size_t{N_KEY_SPACE} - m_nCount);
    m_aChunk.push_back({std::make_unique_for_overwrite<TRec[]>(capacity),
                        static_cast<std::uint32_t>(m_nCount), 0,
                        static_cast<std::uint32_t>(capacity)});
    // Faults of small pages cost a large chunk more than filling it.
    zar::lib::AdviseHugePages(m_aChunk.back().pItems.get(), capacity * sizeof(TRec));
    const TChunkPlace place{reinterpret_cast<std::uint64_t>(m_aChunk.back().pItems.get()),
                            m_aChunk.size() - 1};
    m_aByAddress.insert(std::upper_bound(m_aByAddress.begin(), m_aByAddress.end(), place,
                                         [](const TChunkPlace& a, const TChunkPlace& b) {
                                           return a.nBase < b.nBase;
                                         }),
                        place);
  }

  // The item's index, or N_NO_KEY when dbItr is not the address of one of the items.
  std::uint32_t IndexOf(std::uint64_t dbItr) const {
    auto it = std::upper_bound(
        m_aByAddress.begin(), m_aByAddress.end(), dbItr,
        [](std::uint64_t itr, const TChunkPlace& place) { return itr < place.nBase; });
    if (it == m_aByAddress.begin()) return N_NO_KEY;
    --it;
    const TChunk& chunk = m_aChunk[it->nChunk];
    const std::uint64_t offset = dbItr - it->nBase;
    if (offset % sizeof(TRec) != 0 || offset / sizeof(TRec) >= chunk.nUsed) return N_NO_KEY;
    return chunk.nFirst + static_cast<std::uint32_t>(offset / sizeof(TRec));
  }

  std::vector<TChunk> m_aChunk;  // in insertion order
  std::vector<TChunkPlace> m_aByAddress;
  std::size_t m_nCount = 0;
  CMemDBIdIndex m_index;
};
