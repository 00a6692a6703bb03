#pragma once
// One table of the in-memory model database. Items live in a deque so that their
// addresses, which serve as their iterators, survive later additions.
#include <cstdint>
#include <deque>
#include <unordered_map>

#include "session/ModelDBLink.h"

// TRec must begin with its 32-bit id, m_nID.
template <class TRec>
class CMemDBTable : public IPreDBTable {
public:
  const void* GetRecord(std::uint64_t dbItr) const override { return Find(dbItr); }
  std::int32_t GetCount() const override { return static_cast<std::int32_t>(m_aItem.size()); }
  std::uint64_t FindByID(std::int32_t id) const override {
    const auto it = m_mapID.find(id);
    return it == m_mapID.end() ? 0 : it->second;
  }
  // The key is the insertion index; the high bits stay clear.
  std::uint32_t GetKey(std::uint64_t dbItr) const override {
    const auto it = m_mapItrIndex.find(dbItr);
    return it == m_mapItrIndex.end() ? N_NO_KEY : it->second;
  }

  // The new item's iterator, or 0 when its id is already taken or the keys are used up.
  std::uint64_t Add(const TRec& rec) {
    if (m_mapID.contains(rec.m_nID) || m_aItem.size() > N_KEY_INDEX_MASK) return 0;
    const auto index = static_cast<std::uint32_t>(m_aItem.size());
    const auto dbItr = reinterpret_cast<std::uint64_t>(&m_aItem.emplace_back(rec));
    m_mapID.emplace(rec.m_nID, dbItr);
    m_mapItrIndex.emplace(dbItr, index);
    return dbItr;
  }

  // Only iterators handed out by this table are dereferenced.
  const TRec* Find(std::uint64_t dbItr) const {
    return m_mapItrIndex.contains(dbItr) ? reinterpret_cast<const TRec*>(dbItr) : nullptr;
  }

private:
  std::deque<TRec> m_aItem;
  std::unordered_map<std::int32_t, std::uint64_t> m_mapID;
  std::unordered_map<std::uint64_t, std::uint32_t> m_mapItrIndex;
};
