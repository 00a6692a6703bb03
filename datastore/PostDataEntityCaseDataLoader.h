#pragma once
// The loader interface of unit entity case data. Its slots mirror the load slots of the case
// data component, which forwards each of them to the matching slot here.
#include <cstdint>

#include "base/Containers.h"
#include "qve_pvk_export.h"

template <class T>
class PVK_API IPostDataUnitEntityCaseDataLoader {
public:
  virtual ~IPostDataUnitEntityCaseDataLoader() = default;
  // One key: its case ids, entity ids, values per entity and values.
  virtual int LoadUnitData(std::int32_t key, zar::MArray<std::int32_t>& caseIds,
                           zar::MArray<std::int32_t>& ids, unsigned& nValuePerEntity,
                           zar::MArray<T>& values) = 0;
  // One entity over a list of keys.
  virtual int LoadUnitData(std::int32_t entityId, const zar::MArray<std::int32_t>* keys,
                           zar::MArray<std::int32_t>& caseIds, unsigned& nValuePerEntity,
                           zar::MArray<T>& values) = 0;
  // One entity of one key, with the layout counts a previous load reported.
  virtual int LoadUnitData(std::int32_t key, std::int32_t entityId, const unsigned* pnCount,
                           const zar::MArray<std::int32_t>& caseIds, zar::MArray<T>& values) = 0;
  // A list of keys: case ids, entity ids, values per entity and values.
  virtual int LoadData(const zar::MArray<std::int32_t>* keys, zar::MArray<std::int32_t>& caseIds,
                       zar::MArray<std::int32_t>& ids, unsigned& nValuePerEntity,
                       zar::MArray<T>& values) = 0;
};
