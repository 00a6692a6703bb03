#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include "base/ValidAddress.h"

namespace {

TEST(ValidAddress, LiveMemoryIsValidNullOverflowingUnmappedAndInaccessibleRangesAreNot) {
  const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  void* p = ::mmap(nullptr, 4 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  ASSERT_NE(p, MAP_FAILED);
  char* base = static_cast<char*>(p);
  const auto obj = std::make_unique<double>(1.0);
  const int local = 7;
  EXPECT_TRUE(zar::IsValidAddress(obj.get(), sizeof(double)));
  EXPECT_TRUE(zar::IsValidAddress(&local, sizeof local));
  EXPECT_TRUE(zar::IsValidAddress(base, 4 * page));  // longer than the internal copy buffer
  EXPECT_FALSE(zar::IsValidAddress(nullptr, 1));
  EXPECT_FALSE(zar::IsValidAddress(reinterpret_cast<const void*>(UINTPTR_MAX - 8), 64));

  ASSERT_EQ(::munmap(base + 3 * page, page), 0);
  ASSERT_EQ(::mprotect(base + page, page, PROT_NONE), 0);
  EXPECT_FALSE(zar::IsValidAddress(base + 3 * page, 1));
  EXPECT_FALSE(zar::IsValidAddress(base + page + 16, 8));
  EXPECT_TRUE(zar::IsValidAddress(base + 2 * page, page));
  // Ranges that start readable and run into a bad page.
  EXPECT_FALSE(zar::IsValidAddress(base + 2 * page + 8, page));
  EXPECT_FALSE(zar::IsValidAddress(base + page - 4, 8));
  EXPECT_FALSE(zar::IsValidAddress(base, 3 * page));
  ASSERT_EQ(::munmap(base, 3 * page), 0);
  EXPECT_FALSE(zar::IsValidAddress(base, 1));
}

}  // namespace
