#include "render/CtrlPointSetMaker.h"

namespace {
constexpr std::int32_t kNotOrdered = -1;
}  // namespace

void CCtrlPointSetMaker::SetOrders(const zar::MArray<std::int32_t>& orders) {
  m_orders = orders;
  m_nCount = static_cast<std::uint32_t>(m_orders.size());
}

std::int32_t CCtrlPointSetMaker::GetOrder(int nIndex) const {
  if (nIndex < 0 || static_cast<std::size_t>(nIndex) >= m_orders.size()) return kNotOrdered;
  return m_orders[static_cast<std::size_t>(nIndex)];
}
