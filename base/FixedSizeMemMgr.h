#pragma once
// Fixed-size block allocator: hands out elements of one size carved from large blocks, so
// that many small records neither fragment the heap nor pay a general allocation each.
#include <cstddef>
#include <memory>
#include <vector>

#include "qve_pvk_export.h"

namespace zar {

class PVK_API MFixedSizeMemMgr {
public:
  MFixedSizeMemMgr(std::size_t elementSize, std::size_t blockBytes);
  MFixedSizeMemMgr(const MFixedSizeMemMgr&) = delete;
  MFixedSizeMemMgr& operator=(const MFixedSizeMemMgr&) = delete;
  ~MFixedSizeMemMgr();

  void* Alloc();
  void Free(void* p);
  // Returns every block to the system; all elements handed out become invalid.
  void FreeAll();

  std::size_t GetElementSize() const { return m_nElemSize; }
  std::size_t GetLiveCount() const { return m_nLive; }

private:
  struct FreeNode {
    FreeNode* next;
  };

  std::size_t m_nElemSize;
  std::size_t m_nPerBlock;
  std::vector<std::unique_ptr<std::byte[]>> m_blocks;
  FreeNode* m_pFree = nullptr;  // elements given back
  std::size_t m_nBumpLeft = 0;  // untouched elements left in the newest block
  std::byte* m_pBump = nullptr;
  std::size_t m_nLive = 0;
};

}  // namespace zar
