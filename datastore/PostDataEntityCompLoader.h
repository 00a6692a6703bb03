#pragma once
// The loader interface of unit entity components: values keyed by entity and by a key (a
// load set, a vehicle position, a concurrent node), with the component of each value.
#include <cstdint>

#include "base/Containers.h"
#include "qve_pvk_export.h"

template <class T>
class PVK_API IPostDataUnitEntityCompLoader {
public:
  virtual ~IPostDataUnitEntityCompLoader() = default;
  // The entity ids (when asked for), components and values of one key.
  virtual int LoadUnitData(std::int32_t key, zar::MArray<std::int32_t>* ids,
                           zar::MArray<unsigned int>& comps, zar::MArray<T>& values) = 0;
  // The same for a list of keys.
  virtual int LoadData(const zar::MArray<std::int32_t>* keys, zar::MArray<std::int32_t>& ids,
                       zar::MArray<unsigned int>& comps, zar::MArray<T>& values) = 0;
};
