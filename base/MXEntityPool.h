#pragma once
// Stand-in for the geometry library's entity pool: it owns entities and finds them by key.
#include <cstdint>
#include <memory>
#include <unordered_map>

#include "base/MXBody.h"
#include "qve_pvk_export.h"

namespace zar::cad {

class PVK_API MXEntityPool {
public:
  // The new entity's key, counted from 1; 0 for a null entity.
  std::uint64_t Add(std::unique_ptr<MXEntity> pEntity);
  // Null for a key the pool does not hold.
  MXEntity* Find(std::uint64_t key) const;
  std::int32_t GetCount() const { return static_cast<std::int32_t>(m_mapEntity.size()); }
  void Clear() { m_mapEntity.clear(); }

private:
  std::unordered_map<std::uint64_t, std::unique_ptr<MXEntity>> m_mapEntity;
  std::uint64_t m_nLastKey = 0;  // keys are never reused, so a stale key finds nothing
};

}  // namespace zar::cad
