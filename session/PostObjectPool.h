#pragma once
// Insertion-ordered hash map from a non-negative 32-bit key to an owned post object. Each
// entry keeps its address for its whole life, and that address is the entry's iterator.
#include <cstdint>
#include <memory>
#include <vector>

#include "base/Containers.h"
#include "base/FixedSizeMemMgr.h"
#include "core/PostObject.h"
#include "qve_pvk_export.h"
#include "session/PoolEntryRanges.h"

class PVK_API CPostObjectPool {
public:
  // Address of an entry record; 0 names no entry.
  using iterator = std::uint64_t;

  CPostObjectPool();
  CPostObjectPool(const CPostObjectPool&) = delete;
  CPostObjectPool& operator=(const CPostObjectPool&) = delete;
  virtual ~CPostObjectPool();

  // Removal deletes the object. Iterators that name no live entry are refused (0), since
  // removing one twice would corrupt the allocator.
  virtual int Remove(const iterator& itr);
  // On success itr moves to the next entry; on failure it becomes 0.
  virtual int RemoveNext(iterator& itr);
  virtual void RemoveAll();

  // Takes the object under GetNewKey(); 0 for a null object or when the keys are exhausted.
  iterator Insert(std::unique_ptr<CPostObject> pObject);
  // A new key takes ownership of pObject. An existing key only gets the pointer: the object
  // that was there is not deleted, so objects can be moved between keys.
  int SetAt(std::int32_t nKey, CPostObject* pObject);
  // Lookup and navigation are inline: a call per step would halve the lookups the processor
  // keeps in flight.
  iterator Find(std::int32_t nKey) const {
    if (nKey < 0) return 0;
    const TEntry* pEntry = m_buckets[BucketIndex(nKey)];
    while (pEntry && pEntry->m_nKey != nKey) pEntry = pEntry->m_pBucketNext;
    return ToItr(pEntry);
  }

  // Navigation. A 0 iterator yields null and stays 0; any other must name a live entry.
  CPostObject* GetAt(const iterator& itr) { return ObjectOf(itr); }
  const CPostObject* GetAt(const iterator& itr) const { return ObjectOf(itr); }
  CPostObject* GetNext(iterator& itr) { return StepForward(itr); }
  const CPostObject* GetNext(iterator& itr) const { return StepForward(itr); }
  CPostObject* GetPrev(iterator& itr) { return StepBack(itr); }
  const CPostObject* GetPrev(iterator& itr) const { return StepBack(itr); }
  void Next(iterator& itr) const { StepForward(itr); }
  void Prev(iterator& itr) const { StepBack(itr); }
  iterator GetHeadPosition() const { return ToItr(m_pHead); }

  // -1 for a 0 iterator (keys are never negative).
  std::int32_t GetKeyByItr(const iterator& itr) const;
  std::int32_t GetSize() const { return m_nCount; }
  int IsEmpty() const { return m_nCount == 0; }
  std::int32_t GetMaxKey() const { return m_nMaxKey; }
  // Largest key + 1; negative once the key space is exhausted.
  std::int32_t GetNewKey() const;

  std::int32_t GetKeyList(zar::MArray<std::int32_t>& keys) const;
  std::int32_t GetItrList(zar::MArray<std::uint64_t>& itrs) const;

  void Optimize();
  void SetDefaultHashSize(std::int32_t nSize);
  void SortAsc();
  // Named entries are taken out and their objects appended under new keys; iterators that
  // name no live entry (including repeats) are skipped.
  void Reorder(const zar::MArray<std::uint64_t>& itrs);

  // 1 when itr names a live entry of this pool, in constant time. Never reads memory the
  // pool does not own.
  int IsLiveItr(const iterator& itr) const;

protected:
  void RebuildHash();

private:
  struct TEntry {
    std::int32_t m_nKey;
    // In the key's padding: kLiveTag while the entry is in the pool, cleared before the record
    // goes back to the allocator. No user-space pointer has these upper 32 bits, so an
    // allocator's free-list link cannot imitate it either.
    std::uint32_t m_nLiveTag;
    CPostObject* m_pObject;  // owned by the pool
    TEntry* m_pBucketPrev;
    TEntry* m_pBucketNext;
    TEntry* m_pOrderPrev;
    TEntry* m_pOrderNext;
  };

  static constexpr std::uint32_t kLiveTag = 0xC0FFEE11u;
  static constexpr std::int32_t kInitialHashSize = 10000;
  // SortAsc sorts by comparison when its bucket sort would need more slots per entry.
  static constexpr std::uint64_t kMaxSlotsPerEntry = 4;

  static TEntry* ToEntry(iterator itr) { return reinterpret_cast<TEntry*>(itr); }
  static iterator ToItr(const TEntry* pEntry) { return reinterpret_cast<iterator>(pEntry); }
  static CPostObject* ObjectOf(iterator itr) { return itr ? ToEntry(itr)->m_pObject : nullptr; }
  static CPostObject* StepForward(iterator& itr) {
    if (!itr) return nullptr;
    const TEntry* pEntry = ToEntry(itr);
    itr = ToItr(pEntry->m_pOrderNext);
    return pEntry->m_pObject;
  }
  static CPostObject* StepBack(iterator& itr) {
    if (!itr) return nullptr;
    const TEntry* pEntry = ToEntry(itr);
    itr = ToItr(pEntry->m_pOrderPrev);
    return pEntry->m_pObject;
  }

  // 32-bit modulo: a 64-bit division would dominate insertion and lookup.
  std::uint32_t BucketIndex(std::int32_t nKey) const {
    return static_cast<std::uint32_t>(nKey) % static_cast<std::uint32_t>(m_buckets.size());
  }
  TEntry*& BucketOf(std::int32_t nKey) { return m_buckets[BucketIndex(nKey)]; }
  TEntry* InsertEntry(std::int32_t nKey, CPostObject* pObject);
  void PushToBucket(TEntry* pEntry);
  void AppendToOrder(TEntry* pEntry);
  // The order list becomes the non-empty runs [heads[i] .. tails[i]] in index order.
  // SortAsc for sparse keys: n log n, no memory beyond one pointer per entry.
  void SortByComparison();
  void JoinOrderRuns(const std::vector<TEntry*>& heads, const std::vector<TEntry*>& tails);
  // Deletes the object, then frees the entry.
  void DeleteEntry(TEntry* pEntry);
  // Unlinks the entry and returns its record to the allocator; the object is kept.
  void FreeEntry(TEntry* pEntry);
  void ResizeBuckets(std::int32_t nCount);

  std::vector<TEntry*> m_buckets;  // first entry of each chain; size = bucket count
  std::int32_t m_nDefaultHashSize = kInitialHashSize;
  TEntry* m_pHead = nullptr;
  TEntry* m_pTail = nullptr;
  std::int32_t m_nCount = 0;
  std::int32_t m_nMaxKey = 0;  // never lowered by removals, so keys are not reused
  std::int32_t m_nMinKey = 0;
  zar::MFixedSizeMemMgr m_memMgr;
  CPoolEntryRanges m_entryRanges;
};
