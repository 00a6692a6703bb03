#pragma once
// A read-only mapping of a whole existing file. An empty file, like one that cannot be
// opened or mapped, gives a null view and size 0.
#include <cstdint>

#include "qve_pvk_export.h"

class PVK_API CInputMemoryFile {
public:
  explicit CInputMemoryFile(const wchar_t* path);
  CInputMemoryFile(const CInputMemoryFile&) = delete;
  CInputMemoryFile& operator=(const CInputMemoryFile&) = delete;
  ~CInputMemoryFile();

  const char* data() const { return m_pView; }
  std::uint64_t size() const { return m_nSize; }

private:
  // The mapping keeps the file open by itself, so no descriptor is held.
  const char* m_pView = nullptr;
  std::uint64_t m_nSize = 0;
};
