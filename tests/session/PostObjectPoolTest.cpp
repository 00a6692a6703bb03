#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "session/PostObjectPool.h"

namespace {

using Itrs = zar::MArray<std::uint64_t>;
using Keys = zar::MArray<std::int32_t>;

// Counts destructions so that ownership mistakes show up as wrong counts.
struct Tracked : CPostObject {
  explicit Tracked(int* pDeleted) : m_pDeleted(pDeleted) {}
  ~Tracked() override { ++*m_pDeleted; }
  int* m_pDeleted;
};

class PostObjectPoolTest : public ::testing::Test {
protected:
  std::uint64_t Add() { return pool.Insert(std::make_unique<Tracked>(&deleted)); }
  Keys KeyList() const {
    Keys keys;
    pool.GetKeyList(keys);
    return keys;
  }

  int deleted = 0;
  CPostObjectPool pool;
};

TEST_F(PostObjectPoolTest, KeysAreNeverReusedAndObjectsAreOwned) {
  Add(), Add();
  const std::uint64_t third = Add();
  EXPECT_EQ(pool.GetKeyByItr(third), 3);
  EXPECT_EQ(pool.Remove(third), 1);
  EXPECT_EQ(pool.GetKeyByItr(Add()), 4);
  pool.RemoveAll();
  EXPECT_TRUE(pool.IsEmpty());
  EXPECT_EQ(pool.GetKeyByItr(Add()), 5);
  EXPECT_EQ(deleted, 4);
  {
    CPostObjectPool scoped;
    scoped.Insert(std::make_unique<Tracked>(&deleted));
  }
  EXPECT_EQ(deleted, 5);
}

TEST_F(PostObjectPoolTest, SetAtCreatesOrReplacesInPlaceWithoutDeleting) {
  ASSERT_EQ(pool.SetAt(7, new Tracked(&deleted)), 1);
  EXPECT_EQ(pool.GetKeyByItr(Add()), 8);
  const std::uint64_t itr7 = pool.Find(7);
  std::unique_ptr<CPostObject> pOld(pool.GetAt(itr7));
  auto pNew = std::make_unique<Tracked>(&deleted);
  ASSERT_EQ(pool.SetAt(7, pNew.get()), 1);
  EXPECT_EQ(pool.GetAt(itr7), pNew.release());
  EXPECT_EQ(deleted, 0);
  EXPECT_EQ(pool.GetHeadPosition(), itr7);
  EXPECT_EQ(pool.GetSize(), 2);

  Tracked rejected(&deleted);
  EXPECT_EQ(pool.SetAt(-1, &rejected), 0);
  EXPECT_EQ(pool.SetAt(9, nullptr), 0);
  EXPECT_EQ(pool.Insert(nullptr), 0u);
  EXPECT_EQ(pool.Find(-1), 0u);
  EXPECT_EQ(pool.GetSize(), 2);
}

TEST_F(PostObjectPoolTest, WalksTheOrderToleratesZeroAndRefusesDeadIterators) {
  const std::uint64_t a = Add(), b = Add(), c = Add();
  std::uint64_t itr = c;
  EXPECT_EQ(pool.GetPrev(itr), pool.GetAt(c));
  pool.Prev(itr);
  pool.Prev(itr);
  EXPECT_EQ(itr, 0u);
  EXPECT_EQ(pool.GetNext(itr), nullptr);
  EXPECT_EQ(pool.GetKeyByItr(itr), -1);
  Itrs itrs{42};
  EXPECT_EQ(pool.GetItrList(itrs), 3);
  EXPECT_EQ(itrs, (Itrs{a, b, c}));
  // Iterators that name no live entry are refused.
  pool.Remove(c);
  int local = 0;
  EXPECT_EQ(pool.IsLiveItr(reinterpret_cast<std::uint64_t>(&local)), 0);
  EXPECT_EQ(pool.IsLiveItr(a + 8), 0);
  EXPECT_EQ(pool.Remove(reinterpret_cast<std::uint64_t>(&local)), 0);
  itr = a;
  EXPECT_EQ(pool.RemoveNext(itr), 1);
  EXPECT_EQ(itr, b);
  EXPECT_EQ(pool.Remove(a), 0);  // freed, though still readable
  EXPECT_EQ(deleted, 2);
  EXPECT_EQ(CPostObjectPool().IsLiveItr(b), 0);
  pool.RemoveAll();
  EXPECT_EQ(pool.IsLiveItr(b), 0);
}

TEST_F(PostObjectPoolTest, CollidingKeysSurviveRemovalAndRehash) {
  // 5, 10005 and 20005 share a bucket of the initial 10000.
  for (const std::int32_t key : {5, 10005, 20005, 6}) pool.SetAt(key, new Tracked(&deleted));
  EXPECT_EQ(pool.Remove(pool.Find(20005)), 1);  // front of the chain
  EXPECT_EQ(pool.Remove(pool.Find(5)), 1);      // end of the chain
  EXPECT_EQ(pool.Find(5), 0u);
  pool.SetDefaultHashSize(20000);
  EXPECT_EQ(pool.GetKeyByItr(pool.Find(10005)), 10005);
  EXPECT_EQ(pool.GetKeyByItr(pool.Find(6)), 6);
  EXPECT_EQ(KeyList(), (Keys{10005, 6}));
}

TEST(PostObjectPoolSort, SortAscKeepsIteratorsForDenseAndSparseKeys) {
  // Dense: more entries than the default hash size, so Optimize resizes and the sort spans
  // slots. Sparse: a slot per key / bucket count would take gigabytes for four entries.
  Keys dense(3000);
  std::iota(dense.begin(), dense.end(), 0);
  for (auto& key : dense) key = key * 7 + 3;
  const Keys sparse = {INT32_MAX, 5, 1 << 24, INT32_MAX - 1};
  for (Keys keys : {dense, sparse}) {
    std::shuffle(keys.begin(), keys.end(), std::mt19937(17));
    CPostObjectPool pool;
    int deleted = 0;
    pool.SetDefaultHashSize(1);
    for (const std::int32_t key : keys) pool.SetAt(key, new Tracked(&deleted));
    zar::MArray<std::uint64_t> itrs(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) itrs[i] = pool.Find(keys[i]);
    pool.SortAsc();
    Keys sorted;
    pool.GetKeyList(sorted);
    EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end()));
    EXPECT_EQ(sorted.size(), keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) ASSERT_EQ(pool.Find(keys[i]), itrs[i]);
    // The order links run both ways.
    std::uint64_t itr = pool.Find(sorted.back());
    for (std::size_t i = sorted.size(); i-- > 0; pool.Prev(itr))
      ASSERT_EQ(pool.GetKeyByItr(itr), sorted[i]);
    EXPECT_EQ(itr, 0u);
  }
}

TEST_F(PostObjectPoolTest, ReorderMovesObjectsToTheEndUnderNewKeys) {
  const std::uint64_t a = Add(), b = Add();
  Add();
  const CPostObject* pA = pool.GetAt(a);
  const CPostObject* pB = pool.GetAt(b);
  int local = 0;
  pool.Reorder({b, 0, a, b, reinterpret_cast<std::uint64_t>(&local)});
  EXPECT_EQ(KeyList(), (Keys{3, 4, 5}));
  EXPECT_EQ(pool.GetAt(pool.Find(4)), pB);
  EXPECT_EQ(pool.GetAt(pool.Find(5)), pA);
  EXPECT_EQ(deleted, 0);
}

}  // namespace
