#pragma once
// Where a block of cached values lies, and the base that every cache-file loader shares.
#include <cstdint>

#include "qve_pvk_export.h"

class CFile;

struct TFileDataInfo {
  CFile* m_pFile = nullptr;     // the open cache file; owned by whoever wrote it
  std::uint64_t m_nOffset = 0;  // bytes from the file's start
  std::uint32_t m_nCount = 0;   // values in the block
};

class PVK_API ICacheFileInfo {
public:
  explicit ICacheFileInfo(const TFileDataInfo& info) : m_fileInfo(info) {}
  ICacheFileInfo(const ICacheFileInfo&) = default;
  ICacheFileInfo& operator=(const ICacheFileInfo&) = default;
  virtual ~ICacheFileInfo() = default;

  const TFileDataInfo& GetFileInfo() const { return m_fileInfo; }

private:
  TFileDataInfo m_fileInfo;
};
