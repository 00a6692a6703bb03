#include "datastore/PostPartialDList.h"

#include <algorithm>
#include <limits>

CPostPartialD* CPostPartialDList::Add() {
  return m_list.emplace_back(std::make_unique<CPostPartialD>()).get();
}

void CPostPartialDList::Reset(std::size_t n) {
  if (m_list.size() > n) m_list.resize(n);
  for (auto& pBlock : m_list) pBlock->Reset();
  while (m_list.size() < n) Add();
}

int CPostPartialDList::Remove(const CPostPartialD* pBlock) {
  const auto it = std::find_if(m_list.begin(), m_list.end(),
                               [pBlock](const auto& p) { return p.get() == pBlock; });
  if (!pBlock || it == m_list.end()) return 0;
  m_list.erase(it);
  return 1;
}

template <class Count>
std::int32_t CPostPartialDList::Sum(Count count) const {
  std::int64_t nTotal = 0;
  for (const auto& pBlock : m_list) nTotal += static_cast<std::int64_t>(count(*pBlock));
  return static_cast<std::int32_t>(
      std::min<std::int64_t>(nTotal, std::numeric_limits<std::int32_t>::max()));
}

std::int32_t CPostPartialDList::GetTotalKeyCnt() const {
  return Sum([](const CPostPartialD& d) { return d.GetKey()->size(); });
}

std::int32_t CPostPartialDList::GetTotalDSICnt() const {
  return Sum([](const CPostPartialD& d) { return d.GetDSI()->size(); });
}

std::int32_t CPostPartialDList::GetTotalDataCnt() const {
  return Sum([](const CPostPartialD& d) { return d.GetDataCount(); });
}
