#include "base/MXEntityPool.h"

namespace zar::cad {

std::uint64_t MXEntityPool::Add(std::unique_ptr<MXEntity> pEntity) {
  if (!pEntity) return 0;
  pEntity->m_nKey = ++m_nLastKey;
  m_mapEntity.emplace(m_nLastKey, std::move(pEntity));
  return m_nLastKey;
}

MXEntity* MXEntityPool::Find(std::uint64_t key) const {
  const auto it = m_mapEntity.find(key);
  return it == m_mapEntity.end() ? nullptr : it->second.get();
}

}  // namespace zar::cad
