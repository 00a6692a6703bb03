#include "datastore/PostCacheFileUnitResultDataLoader.h"

#include "datastore/CacheFileBlock.h"

CPostCacheFileUnitResultDataLoader::CPostCacheFileUnitResultDataLoader(
    const TFileDataInfo& info, const pvk::TVResDInfo* pDataInfo)
    : ICacheFileInfo(info) {
  if (pDataInfo) m_dataInfo = *pDataInfo;
}

int CPostCacheFileUnitResultDataLoader::LoadData(zar::MArray<double>& out,
                                                 const zar::MArray<std::uint64_t>& /*dbItrs*/,
                                                 IPreDBLinker* linker) {
  return LoadData(out, linker, nullptr);
}

int CPostCacheFileUnitResultDataLoader::LoadData(zar::MArray<double>& out,
                                                 zar::MArray<std::uint64_t>& /*dbItrs*/,
                                                 IPreDBLinker* linker,
                                                 zar::MArray<std::int32_t>* ids) {
  return LoadData(out, linker, ids);
}

int CPostCacheFileUnitResultDataLoader::LoadData(zar::MArray<double>& out, IPreDBLinker* /*linker*/,
                                                 zar::MArray<std::int32_t>* /*ids*/) {
  return pvk::cache::LoadBlock(GetFileInfo(), out);
}

int CPostCacheFileUnitResultDataLoader::GetDataInfo(pvk::TVResDInfo* info) {
  if (!m_dataInfo || !info) return 0;
  *info = *m_dataInfo;
  return 1;
}

std::int32_t CPostCacheFileUnitResultDataLoader::GetDataCount() const {
  return static_cast<std::int32_t>(GetFileInfo().m_nCount);
}
