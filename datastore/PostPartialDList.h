#pragma once
// The blocks that one load of a virtual result fills, in the order they were added.
#include <cstdint>
#include <memory>

#include "base/Containers.h"
#include "datastore/PostPartialD.h"
#include "qve_pvk_export.h"

class PVK_API CPostPartialDList {
public:
  using BlockList = zar::MList<std::unique_ptr<CPostPartialD>>;

  CPostPartialDList() = default;
  CPostPartialDList(const CPostPartialDList&) = delete;
  CPostPartialDList& operator=(const CPostPartialDList&) = delete;
  virtual ~CPostPartialDList() = default;

  // A new empty block at the end, owned by the list.
  CPostPartialD* Add();
  // 1 after deleting the block; 0 when it is not one of this list's.
  int Remove(const CPostPartialD* pBlock);
  void Clear() { m_list.clear(); }
  // As Clear followed by n Adds, but the first blocks are kept (reset, so that nothing of the
  // last fill shows) with their storage: a repeated load then writes memory it already has
  // instead of faulting in fresh pages.
  void Reset(std::size_t n);

  const BlockList& GetList() const { return m_list; }
  std::int32_t GetSize() const { return static_cast<std::int32_t>(m_list.size()); }

  // Sums over the blocks of key count, DSI size and data count; 0 for an empty list, and
  // capped at the largest 32-bit value.
  std::int32_t GetTotalKeyCnt() const;
  std::int32_t GetTotalDSICnt() const;
  std::int32_t GetTotalDataCnt() const;

private:
  template <class Count>
  std::int32_t Sum(Count count) const;

  BlockList m_list{10};
};
