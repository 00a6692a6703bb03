#pragma once
// Pool 130 of the model database: which geometry body belongs to which part. The grid
// interpolation asks it for the body of a grid's part and finds the body in the geometry pool.
#include <cstdint>

#include "qve_pvk_export.h"
#include "session/MemDBTable.h"

// One item: the part id and the key of its body in the geometry pool.
struct TDPtob {
  std::int32_t m_nID;
  std::uint64_t m_nBodyK;
};

class PVK_API DPoolPtob : public CMemDBTable<TDPtob> {
public:
  static constexpr std::int32_t N_POOL = 130;

  // The body key of the part; 0 when the part has no body.
  std::uint64_t GetBodyK(std::int32_t partID) const {
    const TDPtob* pItem = Find(FindByID(partID));
    return pItem ? pItem->m_nBodyK : 0;
  }
  // The item's iterator; 0 when the part has a body already or the key is 0.
  std::uint64_t AddBodyK(std::int32_t partID, std::uint64_t bodyK) {
    return bodyK ? Add({partID, bodyK}) : 0;
  }
};
