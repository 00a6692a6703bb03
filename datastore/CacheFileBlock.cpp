#include "datastore/CacheFileBlock.h"

#include <algorithm>
#include <limits>

#include "base/File.h"

namespace pvk::cache {

namespace {

// CFile::Read takes a 32-bit count; larger blocks go in pieces of this size.
constexpr std::uint64_t N_READ_CHUNK = std::uint64_t{1} << 30;

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
