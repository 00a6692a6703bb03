#include "vresult/VResultModule.h"

#include "vresult/VResult.h"

CVResultModule::CVResultModule(std::int32_t id) : m_nID(id) {}

CVResultModule::~CVResultModule() = default;

int CVResultModule::Insert(std::unique_ptr<CVResult>& pResult) {
  if (!pResult) return 0;
  const std::int32_t locType = static_cast<std::int32_t>(pResult->GetLocType());
  if (!IsSlot(locType)) return 0;
  std::unique_ptr<CVResult>& slot = m_aSlots[locType];
  if (slot == pResult) {
    // Already ours: drop the second owner so the result is deleted once.
    static_cast<void>(pResult.release());
    return 1;
  }
  if (slot) return 0;
  slot = std::move(pResult);
  return 1;
}

int CVResultModule::Erase(pvk::LOC_TYPE locType) {
  if (!IsSlot(locType) || !m_aSlots[locType]) return 0;
  m_aSlots[locType].reset();
  return 1;
}

CVResult* CVResultModule::Find(pvk::LOC_TYPE locType) const {
  return IsSlot(locType) ? m_aSlots[locType].get() : nullptr;
}

int CVResultModule::IsEmpty() const {
  for (const auto& slot : m_aSlots)
    if (slot) return 1;
  return 0;
}

void CVResultModule::Clear() {
  for (auto& slot : m_aSlots) slot.reset();
}
