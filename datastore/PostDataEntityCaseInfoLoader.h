#pragma once
// The loader interface of unit entity case information: per key, the entities it covers, three
// counts that describe the layout, and the information values.
#include <cstdint>

#include "base/Containers.h"
#include "qve_pvk_export.h"

template <class T>
class PVK_API IPostDataUnitEntityCaseInfoLoader {
public:
  virtual ~IPostDataUnitEntityCaseInfoLoader() = default;
  // One key: its entity ids, counts and values.
  virtual int LoadUnitData(std::int32_t key, zar::MArray<std::int32_t>& ids, unsigned& nCount1,
                           unsigned& nCount2, unsigned& nCount3, zar::MArray<T>& values) = 0;
  // One entity over a list of keys.
  virtual int LoadUnitData(std::int32_t entityId, const zar::MArray<std::int32_t>* keys,
                           unsigned& nCount1, unsigned& nCount2, unsigned& nCount3,
                           zar::MArray<T>& values) = 0;
  // A list of keys: entity ids, counts and values.
  virtual int LoadData(const zar::MArray<std::int32_t>* keys, zar::MArray<std::int32_t>& ids,
                       unsigned& nCount1, unsigned& nCount2, unsigned& nCount3,
                       zar::MArray<T>& values) = 0;
};
