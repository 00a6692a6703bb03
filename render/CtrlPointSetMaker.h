#pragma once
// The order of a set of control points: a negative order marks a point not yet placed.
#include <cstdint>

#include "base/Containers.h"
#include "qve_pvk_export.h"

class PVK_API CCtrlPointSetMaker {
public:
  // Whoever places the points hands over their orders; the count follows the list.
  void SetOrders(const zar::MArray<std::int32_t>& orders);

  std::uint32_t GetCount() const { return m_nCount; }
  const zar::MArray<std::int32_t>& GetOrders() const { return m_orders; }
  // -1 (not ordered) outside the list.
  std::int32_t GetOrder(int nIndex) const;
  bool IsOrdered(int nIndex) const { return GetOrder(nIndex) >= 0; }

private:
  std::uint32_t m_nCount = 0;
  zar::MArray<std::int32_t> m_orders;
};
