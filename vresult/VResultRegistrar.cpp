#include "vresult/VResultRegistrar.h"

#include "vresult/CompTypeVResMapManager.h"
#include "vresult/VResultFactoryManager.h"

std::int32_t RegisterVResultClasses(int key, std::span<const TVResultClassReg> aRows) {
  CVResultFactory* pFactory = CVResultFactoryManager::GetInstance().GetVResultFactory(key);
  std::int32_t nCount = 0;
  for (const TVResultClassReg& row : aRows) nCount += pFactory->Register(row.nResultID, row.pClass);
  return nCount;
}

std::int32_t RegisterCompTypeVResPairs(int key, std::span<const TCompTypeVResReg> aRows) {
  CCompTypeVResMap* pMap = CCompTypeVResMapManager::GetInstance().GetCompTypeVResMap(key);
  std::int32_t nCount = 0;
  for (const TCompTypeVResReg& row : aRows) nCount += pMap->Register(row.nCompID, row.nResultID);
  return nCount;
}

CVResultTableRegistrar::CVResultTableRegistrar(int key, std::span<const TVResultClassReg> aClasses,
                                               std::span<const TCompTypeVResReg> aPairs) {
  RegisterVResultClasses(key, aClasses);
  RegisterCompTypeVResPairs(key, aPairs);
}
