#include "vresult/CompTypeVResMapManager.h"

CCompTypeVResMapManager& CCompTypeVResMapManager::GetInstance() {
  static CCompTypeVResMapManager s_manager;
  return s_manager;
}

CCompTypeVResMap* CCompTypeVResMapManager::GetCompTypeVResMap(int key) {
  auto& pMap = m_mapMaps[key];
  if (!pMap) pMap = std::make_unique<CCompTypeVResMap>();
  return pMap.get();
}
