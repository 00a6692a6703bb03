#pragma once
// One component-type map per key, created on first request.
#include <map>
#include <memory>

#include "qve_pvk_export.h"
#include "vresult/CompTypeVResMap.h"

class PVK_API CCompTypeVResMapManager {
public:
  CCompTypeVResMapManager(const CCompTypeVResMapManager&) = delete;
  CCompTypeVResMapManager& operator=(const CCompTypeVResMapManager&) = delete;

  static CCompTypeVResMapManager& GetInstance();

  // The map of `key`, created empty when absent.
  CCompTypeVResMap* GetCompTypeVResMap(int key);

private:
  CCompTypeVResMapManager() = default;
  ~CCompTypeVResMapManager() = default;

  std::map<int, std::unique_ptr<CCompTypeVResMap>> m_mapMaps;
};
