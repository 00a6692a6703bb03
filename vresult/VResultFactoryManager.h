#pragma once
// One virtual result factory per key, created on first request.
#include <map>
#include <memory>

#include "qve_pvk_export.h"
#include "vresult/VResultFactory.h"

class PVK_API CVResultFactoryManager {
public:
  CVResultFactoryManager(const CVResultFactoryManager&) = delete;
  CVResultFactoryManager& operator=(const CVResultFactoryManager&) = delete;

  static CVResultFactoryManager& GetInstance();

  // The factory of `key`, created empty when absent.
  CVResultFactory* GetVResultFactory(int key);

private:
  CVResultFactoryManager() = default;
  ~CVResultFactoryManager() = default;

  std::map<int, std::unique_ptr<CVResultFactory>> m_mapFactories;
};
