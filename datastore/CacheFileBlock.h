#pragma once
// Reads one block of a cache file straight into an array: one seek and one read, no
// conversion. The block is checked against the file's length before the array grows, so a
// damaged offset or count can neither read past the end nor allocate without bound.
#include <cstddef>
#include <cstdint>

#include "base/Containers.h"
#include "base/HugePages.h"
#include "datastore/CacheFileInfo.h"

namespace pvk::cache {

// True when the file is open and the block of count values of valueSize bytes lies in it.
bool BlockFits(const TFileDataInfo& info, std::size_t valueSize);
// Reads bytes at the block's offset; false on a file error or a short read.
bool ReadBlock(const TFileDataInfo& info, void* dest, std::uint64_t bytes);

// 1 with the block's values in out, else 0 with out empty. An array that already holds
// count values is not touched before the read.
template <class T>
int LoadBlock(const TFileDataInfo& info, zar::MArray<T>& out) {
  if (!BlockFits(info, sizeof(T))) {
    out.clear();
    return 0;
  }
  zar::lib::SizeForOverwrite(out, info.m_nCount);
  if (!ReadBlock(info, out.data(), std::uint64_t{info.m_nCount} * sizeof(T))) {
    out.clear();
    return 0;
  }
  return 1;
}

}  // namespace pvk::cache
