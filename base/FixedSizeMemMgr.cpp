#include "base/FixedSizeMemMgr.h"

#include <algorithm>

namespace zar {

namespace {
constexpr std::size_t kAlign = alignof(std::max_align_t);
std::size_t RoundUp(std::size_t n) { return (n + kAlign - 1) / kAlign * kAlign; }
}  // namespace

MFixedSizeMemMgr::MFixedSizeMemMgr(std::size_t elementSize, std::size_t blockBytes)
    : m_nElemSize(RoundUp(std::max(elementSize, sizeof(FreeNode)))),
      m_nPerBlock(std::max<std::size_t>(1, blockBytes / m_nElemSize)) {}

MFixedSizeMemMgr::~MFixedSizeMemMgr() = default;

void* MFixedSizeMemMgr::Alloc() {
  ++m_nLive;
  if (m_pFree) {
    FreeNode* node = m_pFree;
    m_pFree = node->next;
    return node;
  }
  if (m_nBumpLeft == 0) {
    // Left uninitialised: pages are touched only as elements are handed out.
    m_blocks.emplace_back(new std::byte[m_nPerBlock * m_nElemSize]);
    m_pBump = m_blocks.back().get();
    m_nBumpLeft = m_nPerBlock;
  }
  void* p = m_pBump;
  m_pBump += m_nElemSize;
  --m_nBumpLeft;
  return p;
}

void MFixedSizeMemMgr::Free(void* p) {
  if (!p) return;
  auto* node = static_cast<FreeNode*>(p);
  node->next = m_pFree;
  m_pFree = node;
  --m_nLive;
}

void MFixedSizeMemMgr::FreeAll() {
  m_blocks.clear();
  m_pFree = nullptr;
  m_pBump = nullptr;
  m_nBumpLeft = 0;
  m_nLive = 0;
}

}  // namespace zar
