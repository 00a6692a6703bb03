#include "base/HugePages.h"

#include <sys/mman.h>

namespace zar::lib {

namespace {

constexpr std::uintptr_t N_HUGE_PAGE = std::uintptr_t{1} << 21;

}  // namespace

void AdviseHugePages(void* storage, std::uint64_t bytes) {
  const auto begin = reinterpret_cast<std::uintptr_t>(storage);
  const std::uintptr_t first = (begin + N_HUGE_PAGE - 1) & ~(N_HUGE_PAGE - 1);
  const std::uintptr_t last = (begin + bytes) & ~(N_HUGE_PAGE - 1);
  if (last > first) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

}  // namespace zar::lib
