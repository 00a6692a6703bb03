#include "session/PostObjectPool.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <limits>
#include <new>

namespace {
constexpr std::size_t kEntrySize = 48;
constexpr std::size_t kEntryBlockBytes = 1024000;
}  // namespace

CPostObjectPool::CPostObjectPool()
    : m_buckets(kInitialHashSize, nullptr),
      m_memMgr(kEntrySize, kEntryBlockBytes),
      m_entryRanges(m_memMgr.GetElementSize()) {
  static_assert(sizeof(TEntry) == kEntrySize);
}

CPostObjectPool::~CPostObjectPool() { CPostObjectPool::RemoveAll(); }

int CPostObjectPool::Remove(const iterator& itr) {
  if (!IsLiveItr(itr)) return 0;
  DeleteEntry(ToEntry(itr));
  return 1;
}

int CPostObjectPool::RemoveNext(iterator& itr) {
  if (!IsLiveItr(itr)) {
    itr = 0;
    return 0;
  }
  TEntry* pEntry = ToEntry(itr);
  itr = ToItr(pEntry->m_pOrderNext);
  DeleteEntry(pEntry);
  return 1;
}

void CPostObjectPool::RemoveAll() {
  for (TEntry* pEntry = m_pHead; pEntry; pEntry = pEntry->m_pOrderNext) delete pEntry->m_pObject;
  std::fill(m_buckets.begin(), m_buckets.end(), nullptr);
  m_pHead = m_pTail = nullptr;
  m_nCount = 0;
  m_memMgr.FreeAll();
  m_entryRanges.Clear();
}

CPostObjectPool::iterator CPostObjectPool::Insert(std::unique_ptr<CPostObject> pObject) {
  const std::int32_t nKey = GetNewKey();
  if (!pObject || nKey < 0) return 0;
  // No key check: every present key is at most the largest key.
  return ToItr(InsertEntry(nKey, pObject.release()));
}

int CPostObjectPool::SetAt(std::int32_t nKey, CPostObject* pObject) {
  if (nKey < 0 || !pObject) return 0;
  if (const iterator itr = Find(nKey)) {
    ToEntry(itr)->m_pObject = pObject;
    return 1;
  }
  InsertEntry(nKey, pObject);
  return 1;
}

std::int32_t CPostObjectPool::GetKeyByItr(const iterator& itr) const {
  return itr ? ToEntry(itr)->m_nKey : -1;
}

std::int32_t CPostObjectPool::GetNewKey() const {
  return m_nMaxKey == std::numeric_limits<std::int32_t>::max() ? -1 : m_nMaxKey + 1;
}

std::int32_t CPostObjectPool::GetKeyList(zar::MArray<std::int32_t>& keys) const {
  keys.clear();
  keys.reserve(static_cast<std::size_t>(m_nCount));
  for (const TEntry* pEntry = m_pHead; pEntry; pEntry = pEntry->m_pOrderNext)
    keys.push_back(pEntry->m_nKey);
  return m_nCount;
}

std::int32_t CPostObjectPool::GetItrList(zar::MArray<std::uint64_t>& itrs) const {
  itrs.clear();
  itrs.reserve(static_cast<std::size_t>(m_nCount));
  for (const TEntry* pEntry = m_pHead; pEntry; pEntry = pEntry->m_pOrderNext)
    itrs.push_back(ToItr(pEntry));
  return m_nCount;
}

void CPostObjectPool::Optimize() {
  if (m_nCount > m_nDefaultHashSize && static_cast<std::size_t>(m_nCount) != m_buckets.size())
    ResizeBuckets(m_nCount);
}

void CPostObjectPool::SetDefaultHashSize(std::int32_t nSize) {
  // At least one bucket, so that the key modulo the bucket count is always defined.
  m_nDefaultHashSize = std::max(nSize, 1);
  if (m_buckets.size() < static_cast<std::size_t>(m_nDefaultHashSize))
    ResizeBuckets(m_nDefaultHashSize);
}

void CPostObjectPool::SortAsc() {
  if (m_nCount == 0) return;
  Optimize();
  // Bucket sort: within one slot (same key / bucket count) the keys differ in key % bucket
  // count, so walking the buckets upwards yields each slot in ascending order. Both order
  // links are set in this one pass; only the slot boundaries are joined afterwards.
  const auto nBuckets = static_cast<std::uint32_t>(m_buckets.size());
  const std::uint32_t nFirstSlot = static_cast<std::uint32_t>(m_nMinKey) / nBuckets;
  const std::uint32_t nSlots = static_cast<std::uint32_t>(m_nMaxKey) / nBuckets - nFirstSlot + 1;
  // Sparse keys would make the slot arrays far larger than the pool.
  if (nSlots > kMaxSlotsPerEntry * static_cast<std::uint64_t>(m_nCount)) {
    SortByComparison();
    return;
  }
  std::vector<TEntry*> heads(nSlots, nullptr);
  std::vector<TEntry*> tails(nSlots, nullptr);
  for (TEntry* pChain : m_buckets) {
    for (TEntry* pEntry = pChain; pEntry; pEntry = pEntry->m_pBucketNext) {
      const std::uint32_t nSlot =
          static_cast<std::uint32_t>(pEntry->m_nKey) / nBuckets - nFirstSlot;
      pEntry->m_pOrderPrev = tails[nSlot];
      pEntry->m_pOrderNext = nullptr;
      (tails[nSlot] ? tails[nSlot]->m_pOrderNext : heads[nSlot]) = pEntry;
      tails[nSlot] = pEntry;
    }
  }
  JoinOrderRuns(heads, tails);
}

void CPostObjectPool::SortByComparison() {
  std::vector<TEntry*> entries;
  entries.reserve(static_cast<std::size_t>(m_nCount));
  for (TEntry* pEntry = m_pHead; pEntry; pEntry = pEntry->m_pOrderNext) entries.push_back(pEntry);
  std::sort(entries.begin(), entries.end(),
            [](const TEntry* a, const TEntry* b) { return a->m_nKey < b->m_nKey; });
  m_pHead = m_pTail = nullptr;
  for (TEntry* pEntry : entries) AppendToOrder(pEntry);
}

void CPostObjectPool::JoinOrderRuns(const std::vector<TEntry*>& heads,
                                    const std::vector<TEntry*>& tails) {
  m_pHead = m_pTail = nullptr;
  for (std::size_t i = 0; i < heads.size(); ++i) {
    if (!heads[i]) continue;
    heads[i]->m_pOrderPrev = m_pTail;
    (m_pTail ? m_pTail->m_pOrderNext : m_pHead) = heads[i];
    m_pTail = tails[i];
  }
}

void CPostObjectPool::Reorder(const zar::MArray<std::uint64_t>& itrs) {
  std::vector<std::unique_ptr<CPostObject>> objects;
  objects.reserve(itrs.size());
  for (const iterator itr : itrs) {
    if (!IsLiveItr(itr)) continue;
    objects.emplace_back(ToEntry(itr)->m_pObject);
    FreeEntry(ToEntry(itr));
  }
  for (auto& pObject : objects) Insert(std::move(pObject));
}

int CPostObjectPool::IsLiveItr(const iterator& itr) const {
  if (!m_entryRanges.Contains(itr)) return 0;
  // The record lies in our allocator's memory, so it may be read even when it was freed.
  std::uint32_t nTag = 0;
  std::memcpy(&nTag, reinterpret_cast<const std::byte*>(itr) + offsetof(TEntry, m_nLiveTag),
              sizeof nTag);
  return nTag == kLiveTag;
}

void CPostObjectPool::RebuildHash() {
  std::fill(m_buckets.begin(), m_buckets.end(), nullptr);
  for (TEntry* pEntry = m_pHead; pEntry; pEntry = pEntry->m_pOrderNext) PushToBucket(pEntry);
}

CPostObjectPool::TEntry* CPostObjectPool::InsertEntry(std::int32_t nKey, CPostObject* pObject) {
  if (m_nCount == 0) {
    m_nMaxKey = m_nMinKey = nKey;
  } else {
    m_nMaxKey = std::max(m_nMaxKey, nKey);
    m_nMinKey = std::min(m_nMinKey, nKey);
  }
  void* pMem = m_memMgr.Alloc();
  m_entryRanges.Note(pMem);
  auto* pEntry = new (pMem) TEntry{nKey, kLiveTag, pObject, nullptr, nullptr, nullptr, nullptr};
  PushToBucket(pEntry);
  AppendToOrder(pEntry);
  ++m_nCount;
  return pEntry;
}

void CPostObjectPool::PushToBucket(TEntry* pEntry) {
  TEntry*& pHead = BucketOf(pEntry->m_nKey);
  pEntry->m_pBucketPrev = nullptr;
  pEntry->m_pBucketNext = pHead;
  if (pHead) pHead->m_pBucketPrev = pEntry;
  pHead = pEntry;
}

void CPostObjectPool::AppendToOrder(TEntry* pEntry) {
  pEntry->m_pOrderPrev = m_pTail;
  pEntry->m_pOrderNext = nullptr;
  (m_pTail ? m_pTail->m_pOrderNext : m_pHead) = pEntry;
  m_pTail = pEntry;
}

void CPostObjectPool::DeleteEntry(TEntry* pEntry) {
  delete pEntry->m_pObject;
  FreeEntry(pEntry);
}

void CPostObjectPool::FreeEntry(TEntry* pEntry) {
  if (pEntry->m_pBucketPrev)
    pEntry->m_pBucketPrev->m_pBucketNext = pEntry->m_pBucketNext;
  else
    BucketOf(pEntry->m_nKey) = pEntry->m_pBucketNext;
  if (pEntry->m_pBucketNext) pEntry->m_pBucketNext->m_pBucketPrev = pEntry->m_pBucketPrev;
  (pEntry->m_pOrderPrev ? pEntry->m_pOrderPrev->m_pOrderNext : m_pHead) = pEntry->m_pOrderNext;
  (pEntry->m_pOrderNext ? pEntry->m_pOrderNext->m_pOrderPrev : m_pTail) = pEntry->m_pOrderPrev;
  --m_nCount;
  pEntry->m_nLiveTag = 0;
  m_memMgr.Free(pEntry);
}

void CPostObjectPool::ResizeBuckets(std::int32_t nCount) {
  m_buckets.assign(static_cast<std::size_t>(nCount), nullptr);
  RebuildHash();
}
