#include "vresult/VResultFactoryManager.h"

CVResultFactoryManager& CVResultFactoryManager::GetInstance() {
  static CVResultFactoryManager s_manager;
  return s_manager;
}

CVResultFactory* CVResultFactoryManager::GetVResultFactory(int key) {
  auto& pFactory = m_mapFactories[key];
  if (!pFactory) pFactory = std::make_unique<CVResultFactory>();
  return pFactory.get();
}
