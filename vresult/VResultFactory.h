#pragma once
// Creates virtual result objects by result id through the class records registered for
// them.
#include <cstdint>
#include <memory>
#include <unordered_map>

#include "base/Object.h"
#include "qve_pvk_export.h"

class CVResult;

class PVK_API CVResultFactory {
public:
  CVResultFactory() = default;
  CVResultFactory(const CVResultFactory&) = delete;
  CVResultFactory& operator=(const CVResultFactory&) = delete;

  // A stand-alone factory; the load-time registrations go to the manager's factories.
  static CVResultFactory& GetInstance();

  // Inserts or replaces the class of `id`; 0 for a null class record.
  int Register(std::int32_t id, CRuntimeClass* pClass);
  // 1 when `id` was registered and is removed.
  int Unregister(std::int32_t id);
  // Null when `id` is not registered or its class does not create a virtual result.
  std::unique_ptr<CVResult> CreateVResult(std::int32_t id) const;

  std::int32_t GetCount() const { return static_cast<std::int32_t>(m_mapClasses.size()); }

private:
  std::unordered_map<std::int32_t, CRuntimeClass*> m_mapClasses;  // not owned
};
