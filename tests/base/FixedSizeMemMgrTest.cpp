#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

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

TEST(MFixedSizeMemMgr, ElementsNeverOverlapAcrossBlocks) {
  // Three elements per block: twenty span several blocks.
  constexpr std::size_t kSize = 24;
  zar::MFixedSizeMemMgr mgr(kSize, 100);
  ASSERT_GE(mgr.GetElementSize(), kSize);
  std::vector<unsigned char*> elems;
  for (int i = 0; i < 20; ++i) {
    elems.push_back(static_cast<unsigned char*>(mgr.Alloc()));
    std::memset(elems.back(), i, kSize);
  }
  for (int i = 0; i < 20; ++i)
    for (std::size_t k = 0; k < kSize; ++k) ASSERT_EQ(elems[i][k], i) << "element " << i;
}

TEST(MFixedSizeMemMgr, ElementsAreAlignedForAnyType) {
  for (std::size_t size : {1u, 5u, 17u, 33u}) {
    zar::MFixedSizeMemMgr mgr(size, 64);
    EXPECT_GE(mgr.GetElementSize(), sizeof(void*));
    for (int i = 0; i < 10; ++i)
      EXPECT_EQ(reinterpret_cast<std::uintptr_t>(mgr.Alloc()) % alignof(std::max_align_t), 0u)
          << "size " << size;
  }
}

}  // namespace
