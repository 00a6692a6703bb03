// Each component class takes the cache-file loader that matches its loader interface.
#include <memory>

#include "datastore/PostCacheFileEntityLoaders.h"
#include "datastore/PostCacheFileUnitResultDataLoader.h"
#include "datastore/PostDSetEntityCaseData.h"
#include "datastore/PostDSetEntityCaseInfo.h"
#include "datastore/PostDSetEntityComp.h"
#include "datastore/PostDSetModelResult.h"

ICacheFileInfo* CPostUnitModelResultDComp::MakeCacheFileLoader(CPostDComp* source,
                                                               TFileDataInfo* info) {
  if (!CanTakeCacheFileLoader(source, info)) return nullptr;
  // The block keeps the layout that the source's loader reports.
  const auto* model = dynamic_cast<const CPostUnitModelResultDComp*>(source);
  Loader* sourceLoader = model ? model->GetLoader() : nullptr;
  pvk::TVResDInfo dataInfo;
  const bool hasInfo = sourceLoader && sourceLoader->GetDataInfo(&dataInfo);
  return AdoptCacheFileLoader(
      std::make_unique<CPostCacheFileUnitResultDataLoader>(*info, hasInfo ? &dataInfo : nullptr));
}

ICacheFileInfo* CPostUnitEntityCompDComp::MakeCacheFileLoader(CPostDComp* source,
                                                              TFileDataInfo* info) {
  if (!CanTakeCacheFileLoader(source, info)) return nullptr;
  return AdoptCacheFileLoader(std::make_unique<CPostCacheFileUnitCompDataLoader>(*info));
}

ICacheFileInfo* CPostUnitEntityCaseInfoDComp::MakeCacheFileLoader(CPostDComp* source,
                                                                  TFileDataInfo* info) {
  if (!CanTakeCacheFileLoader(source, info)) return nullptr;
  return AdoptCacheFileLoader(std::make_unique<CPostCacheFileUnitEntityCaseInfoDataLoader>(*info));
}

ICacheFileInfo* CPostUnitEntityCaseDataDComp::MakeCacheFileLoader(CPostDComp* source,
                                                                  TFileDataInfo* info) {
  if (!CanTakeCacheFileLoader(source, info)) return nullptr;
  return AdoptCacheFileLoader(std::make_unique<CPostCacheFileUnitEntityCaseDataDataLoader>(*info));
}
