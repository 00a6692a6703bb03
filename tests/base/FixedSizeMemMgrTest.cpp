#include <gtest/gtest.h>

#include <cstring>

#include "base/FixedSizeMemMgr.h"

namespace {

TEST(MFixedSizeMemMgr, FreedElementsAreHandedOutAgainAndFreeAllStartsOver) {
  zar::MFixedSizeMemMgr mgr(40, 4096);
  void* a = mgr.Alloc();
  void* b = mgr.Alloc();
  EXPECT_EQ(mgr.GetLiveCount(), 2u);
  mgr.Free(a);
  mgr.Free(nullptr);
  EXPECT_EQ(mgr.GetLiveCount(), 1u);
  EXPECT_EQ(mgr.Alloc(), a);
  mgr.Free(b);
  mgr.Free(a);
  EXPECT_EQ(mgr.GetLiveCount(), 0u);
  void* c = mgr.Alloc();
  void* d = mgr.Alloc();
  EXPECT_TRUE((c == a && d == b) || (c == b && d == a));
  mgr.FreeAll();
  EXPECT_EQ(mgr.GetLiveCount(), 0u);
  EXPECT_NE(mgr.Alloc(), nullptr);
  EXPECT_EQ(mgr.GetLiveCount(), 1u);
}

// Elements of any size are aligned for any type and never overlap, also across blocks (the
// last size fits three elements in a block of 100 bytes).
TEST(MFixedSizeMemMgr, ElementsAreAlignedAndNeverOverlap) {
  for (const std::size_t size : {1u, 5u, 17u, 33u, 24u}) {
    zar::MFixedSizeMemMgr mgr(size, size == 24 ? 100 : 64);
    ASSERT_GE(mgr.GetElementSize(), std::max(size, sizeof(void*)));
    std::vector<unsigned char*> elems;
    for (int i = 0; i < 20; ++i) {
      elems.push_back(static_cast<unsigned char*>(mgr.Alloc()));
      EXPECT_EQ(reinterpret_cast<std::uintptr_t>(elems.back()) % alignof(std::max_align_t), 0u);
      std::memset(elems.back(), i, size);
    }
    for (int i = 0; i < 20; ++i)
      for (std::size_t k = 0; k < size; ++k) ASSERT_EQ(elems[i][k], i) << size << " " << i;
  }
}

}  // namespace
