#include "datastore/CacheFileBlock.h"

#include <sys/mman.h>

#include <algorithm>
#include <limits>

#include "base/File.h"

namespace pvk::cache {

namespace {

// CFile::Read takes a 32-bit count; larger blocks go in pieces of this size.
constexpr std::uint64_t N_READ_CHUNK = std::uint64_t{1} << 30;
constexpr std::uintptr_t N_HUGE_PAGE = std::uintptr_t{1} << 21;

}  // namespace

bool BlockFits(const TFileDataInfo& info, std::size_t valueSize) {
  if (!info.m_pFile || !info.m_pFile->IsOpen()) return false;
  try {
    const std::uint64_t length = info.m_pFile->GetLength();
    const std::uint64_t bytes = std::uint64_t{info.m_nCount} * valueSize;
    return info.m_nOffset <= length && bytes <= length - info.m_nOffset;
  } catch (const CFileException&) {
    return false;
  }
}

void AdviseHugePages(void* storage, std::uint64_t bytes) {
  // Only whole huge pages inside the storage; the advice is a hint, so failure is ignored.
  const auto begin = reinterpret_cast<std::uintptr_t>(storage);
  const std::uintptr_t first = (begin + N_HUGE_PAGE - 1) & ~(N_HUGE_PAGE - 1);
  const std::uintptr_t last = (begin + bytes) & ~(N_HUGE_PAGE - 1);
  if (last > first) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

bool ReadBlock(const TFileDataInfo& info, void* dest, std::uint64_t bytes) {
  if (bytes == 0) return true;
  if (info.m_nOffset > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
    return false;
  try {
    info.m_pFile->Seek(static_cast<std::int64_t>(info.m_nOffset), CFile::begin);
    auto* p = static_cast<char*>(dest);
    while (bytes > 0) {
      const auto chunk = static_cast<unsigned>(std::min(bytes, N_READ_CHUNK));
      if (info.m_pFile->Read(p, chunk) != chunk) return false;
      p += chunk;
      bytes -= chunk;
    }
    return true;
  } catch (const CFileException&) {
    return false;
  }
}

}  // namespace pvk::cache
