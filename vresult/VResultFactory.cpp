#include "vresult/VResultFactory.h"

#include "vresult/VResult.h"

CVResultFactory& CVResultFactory::GetInstance() {
  static CVResultFactory s_factory;
  return s_factory;
}

int CVResultFactory::Register(std::int32_t id, CRuntimeClass* pClass) {
  if (!pClass) return 0;
  m_mapClasses[id] = pClass;
  return 1;
}

int CVResultFactory::Unregister(std::int32_t id) { return m_mapClasses.erase(id) ? 1 : 0; }

std::unique_ptr<CVResult> CVResultFactory::CreateVResult(std::int32_t id) const {
  const auto it = m_mapClasses.find(id);
  if (it == m_mapClasses.end()) return nullptr;
  std::unique_ptr<CObject> pObject(it->second->CreateObject());
  // A class record of another kind must not be handed out as a virtual result.
  if (!dynamic_cast<CVResult*>(pObject.get())) return nullptr;
  return std::unique_ptr<CVResult>(static_cast<CVResult*>(pObject.release()));
}
