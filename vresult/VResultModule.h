#pragma once
// The virtual results of one result id in one step, one slot per location type.
#include <array>
#include <cstdint>
#include <memory>

#include "core/DataTypes.h"
#include "qve_pvk_export.h"

class CVResult;

class PVK_API CVResultModule {
public:
  static constexpr std::int32_t kSlotCount = 8;  // location types 0 to 7

  explicit CVResultModule(std::int32_t id);
  CVResultModule(const CVResultModule&) = delete;
  CVResultModule& operator=(const CVResultModule&) = delete;
  ~CVResultModule();

  std::int32_t GetID() const { return m_nID; }

  // Files the result in the slot of its location type and takes it over (pResult is then
  // null). 0, with pResult untouched, for null, for a location type outside the slots and
  // when the slot holds another result; 1 also when the slot already holds this one.
  int Insert(std::unique_ptr<CVResult>& pResult);
  // Deletes the result of the slot; 0 when the slot was empty.
  int Erase(pvk::LOC_TYPE locType);
  int Exist(pvk::LOC_TYPE locType) const { return Find(locType) ? 1 : 0; }
  CVResult* Find(pvk::LOC_TYPE locType) const;  // not owned
  // Deliberately inverted, and callers rely on it: 1 while at least one slot holds a result,
  // 0 when all slots are empty.
  int IsEmpty() const;
  void Clear();

private:
  static bool IsSlot(std::int32_t locType) { return locType >= 0 && locType < kSlotCount; }

  std::int32_t m_nID;
  std::array<std::unique_ptr<CVResult>, kSlotCount> m_aSlots;
};
