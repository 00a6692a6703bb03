#include "resultfile/RecordFactory.h"

using PZAR_RECORD_VER::E_VER;

CPZARRecordFactory& CPZARRecordFactory::GetInstance() {
  static CPZARRecordFactory s_factory;
  return s_factory;
}

int CPZARRecordFactory::Register(std::int32_t type, E_VER version, PFN_CREATE creator) {
  if (!creator) return 0;
  return MapOf(version).emplace(type, creator).second ? 1 : 0;
}

int CPZARRecordFactory::Unregister(std::int32_t type, E_VER version) {
  const auto it = m_mapVersions.find(version);
  return it != m_mapVersions.end() && it->second->erase(type) ? 1 : 0;
}

const CPZARRecordFactory::TCreatorMap* CPZARRecordFactory::GetRegisteredMap(E_VER version) const {
  const auto it = m_mapVersions.find(version);
  return it == m_mapVersions.end() ? nullptr : it->second.get();
}

std::unique_ptr<CPZARRecord> CPZARRecordFactory::Create(std::int32_t type, E_VER version) {
  const PFN_CREATE creator = GetCreator(type, version);
  return creator ? creator() : nullptr;
}

CPZARRecordFactory::PFN_CREATE CPZARRecordFactory::GetCreator(std::int32_t type, E_VER version) {
  const TCreatorMap& map = MapOf(version);
  const auto it = map.find(type);
  return it != map.end() ? it->second : FindFallback(type);
}

CPZARRecordFactory::TCreatorMap& CPZARRecordFactory::MapOf(E_VER version) {
  auto& slot = m_mapVersions[version];
  if (!slot) slot = std::make_unique<TCreatorMap>();
  return *slot;
}

CPZARRecordFactory::PFN_CREATE CPZARRecordFactory::FindFallback(std::int32_t type) {
  if (!m_bFallbackFixed) {
    for (const E_VER version : {PZAR_RECORD_VER::VER_150, PZAR_RECORD_VER::VER_140})
      if (const TCreatorMap* map = GetRegisteredMap(version)) m_aFallback.push_back(map);
    m_bFallbackFixed = true;
  }
  for (const TCreatorMap* map : m_aFallback) {
    const auto it = map->find(type);
    if (it != map->end()) return it->second;
  }
  return nullptr;
}
