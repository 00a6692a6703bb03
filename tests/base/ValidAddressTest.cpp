#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <memory>

#include "base/ValidAddress.h"

namespace {

class ValidAddressTest : public ::testing::Test {
protected:
  void SetUp() override {
    m_page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    void* p =
        ::mmap(nullptr, 4 * m_page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(p, MAP_FAILED);
    m_base = static_cast<char*>(p);
  }
  void TearDown() override {
    if (m_base) ::munmap(m_base, 4 * m_page);
  }

  std::size_t m_page = 0;
  char* m_base = nullptr;
};

TEST_F(ValidAddressTest, LiveMemoryIsValidNullAndOverflowingRangesAreNot) {
  const auto obj = std::make_unique<double>(1.0);
  EXPECT_TRUE(zar::IsValidAddress(obj.get(), sizeof(double)));
  const int local = 7;
  EXPECT_TRUE(zar::IsValidAddress(&local, sizeof local));
  // Longer than the internal copy buffer.
  EXPECT_TRUE(zar::IsValidAddress(m_base, 4 * m_page));
  // Null and overflowing ranges are not.
  EXPECT_FALSE(zar::IsValidAddress(nullptr, 1));
  EXPECT_FALSE(zar::IsValidAddress(reinterpret_cast<const void*>(UINTPTR_MAX - 8), 64));
}

TEST_F(ValidAddressTest, UnmappedAndInaccessiblePagesAreInvalid) {
  ASSERT_EQ(::munmap(m_base + 3 * m_page, m_page), 0);
  ASSERT_EQ(::mprotect(m_base + m_page, m_page, PROT_NONE), 0);
  EXPECT_FALSE(zar::IsValidAddress(m_base + 3 * m_page, 1));
  EXPECT_FALSE(zar::IsValidAddress(m_base + m_page + 16, 8));
  EXPECT_TRUE(zar::IsValidAddress(m_base + 2 * m_page, m_page));
  // Ranges that start readable and run into a bad page.
  EXPECT_FALSE(zar::IsValidAddress(m_base + 2 * m_page + 8, m_page));
  EXPECT_FALSE(zar::IsValidAddress(m_base + m_page - 4, 8));
  EXPECT_FALSE(zar::IsValidAddress(m_base, 3 * m_page));
  ASSERT_EQ(::munmap(m_base, 3 * m_page), 0);
  EXPECT_FALSE(zar::IsValidAddress(m_base, 1));
  m_base = nullptr;
}

}  // namespace
