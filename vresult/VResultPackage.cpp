#include "vresult/VResultPackage.h"

#include "core/ResultId.h"
#include "vresult/VResult.h"

namespace {

bool IsComplexID(std::int32_t id) { return id > pvk::kPhaseAngleOffset; }

}  // namespace

CVResultPackage::CVResultPackage() = default;

CVResultPackage::~CVResultPackage() { Clear(); }

int CVResultPackage::Insert(std::unique_ptr<CVResult>& pResult) {
  if (!pResult) return 0;
  const std::int32_t id = pResult->GetType();
  const bool bNew = !FindModule(id);
  CVResultModule* pModule = GetModule(id);
  if (pModule->Insert(pResult)) return 1;
  // A result that fits no slot must not leave an empty module behind.
  if (bNew) m_mapModules.erase(id);
  return 0;
}

int CVResultPackage::Erase(std::int32_t id) { return m_mapModules.erase(id) ? 1 : 0; }

CVResult* CVResultPackage::Find(std::int32_t locType, std::int32_t id) const {
  const CVResultModule* pModule = FindModule(id);
  return pModule ? pModule->Find(static_cast<pvk::LOC_TYPE>(locType)) : nullptr;
}

CVResultModule* CVResultPackage::FindModule(std::int32_t id) const {
  const auto it = m_mapModules.find(id);
  return it == m_mapModules.end() ? nullptr : it->second.get();
}

std::int32_t CVResultPackage::GetDataList(std::int32_t id, std::vector<CVResult*>& out) const {
  const CVResultModule* pModule = FindModule(id);
  if (!pModule) return 0;
  for (std::int32_t locType = 0; locType < CVResultModule::kSlotCount; ++locType)
    if (CVResult* pResult = pModule->Find(static_cast<pvk::LOC_TYPE>(locType)))
      out.push_back(pResult);
  return static_cast<std::int32_t>(out.size());
}

std::int32_t CVResultPackage::GetAllResults(std::vector<CVResult*>& out) const {
  for (const auto& [id, pModule] : m_mapModules) GetDataList(id, out);
  return static_cast<std::int32_t>(out.size());
}

int CVResultPackage::ExistPCB() const {
  for (const auto& [id, pModule] : m_mapModules)
    if (CVResult::IsPCBResID(id)) return 1;
  return 0;
}

std::int32_t CVResultPackage::FindPCB(std::vector<CVResult*>& out) const {
  for (const auto& [id, pModule] : m_mapModules)
    if (CVResult::IsPCBResID(id))
      if (CVResult* pResult = pModule->Find(pvk::LOC_NODE)) out.push_back(pResult);
  return static_cast<std::int32_t>(out.size());
}

int CVResultPackage::ExistComplex() const {
  return !m_mapModules.empty() && IsComplexID(m_mapModules.rbegin()->first) ? 1 : 0;
}

std::int32_t CVResultPackage::FindComplex(std::vector<CVResult*>& out) const {
  for (auto it = m_mapModules.upper_bound(pvk::kPhaseAngleOffset); it != m_mapModules.end(); ++it)
    if (CVResult* pResult = it->second->Find(pvk::LOC_NODE)) out.push_back(pResult);
  return static_cast<std::int32_t>(out.size());
}

CVResultModule* CVResultPackage::CreateModule(std::int32_t id) {
  auto& pModule = m_mapModules[id];
  pModule = std::make_unique<CVResultModule>(id);
  return pModule.get();
}

CVResultModule* CVResultPackage::GetModule(std::int32_t id) {
  CVResultModule* pModule = FindModule(id);
  return pModule ? pModule : CreateModule(id);
}

void CVResultPackage::Clear() { m_mapModules.clear(); }
