#include "datastore/InputMemoryFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include "datastore/MappedFileOpen.h"

CInputMemoryFile::CInputMemoryFile(const wchar_t* path) {
  const int fd = pvk::mapfile::OpenRegular(pvk::mapfile::NarrowPath(path), O_RDONLY);
  if (fd < 0) return;
  const std::int64_t length = pvk::mapfile::FileLength(fd);
  if (length > 0) {
    const auto bytes = static_cast<std::uint64_t>(length);
    void* view = ::mmap(nullptr, bytes, PROT_READ, MAP_SHARED, fd, 0);
    if (view != MAP_FAILED) {
      m_pView = static_cast<const char*>(view);
      m_nSize = bytes;
    }
  }
  ::close(fd);
}

CInputMemoryFile::~CInputMemoryFile() {
  if (m_pView) ::munmap(const_cast<char*>(m_pView), m_nSize);
}
