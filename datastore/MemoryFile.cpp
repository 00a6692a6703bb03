#include "datastore/MemoryFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <limits>

#include "datastore/MappedFileOpen.h"

static_assert(sizeof(std::size_t) == 8 && sizeof(off_t) == 8, "64-bit mappings are required");

namespace {

// Creation flags by open mode.
constexpr int kModeFlags[] = {O_CREAT | O_EXCL, 0, O_CREAT, O_TRUNC, O_CREAT | O_TRUNC};

bool SetFileEnd(int fd, std::uint64_t n) {
  return n <= static_cast<std::uint64_t>(std::numeric_limits<off_t>::max()) &&
         ::ftruncate(fd, static_cast<off_t>(n)) == 0;
}

// Grows the file from `from` to `to` bytes with its blocks allocated: a sparse file on a full
// disk would take the process down with SIGBUS at the first write into the mapping, while an
// allocation fails here and the caller sees false.
bool AllocateFileEnd(int fd, std::uint64_t from, std::uint64_t to) {
  return to <= static_cast<std::uint64_t>(std::numeric_limits<off_t>::max()) &&
         ::posix_fallocate(fd, static_cast<off_t>(from), static_cast<off_t>(to - from)) == 0;
}

// True when the path still names the open file, so that removing it cannot hit a file that
// has taken its place.
bool PathNamesFile(const std::string& path, int fd) {
  struct stat byPath, byHandle;
  return ::stat(path.c_str(), &byPath) == 0 && ::fstat(fd, &byHandle) == 0 &&
         byPath.st_dev == byHandle.st_dev && byPath.st_ino == byHandle.st_ino;
}

}  // namespace

CMemoryFile::CMemoryFile(const wchar_t* path, e_open_mode mode) {
  if (mode < create_new || mode > create_always) return;
  const std::string narrow = pvk::mapfile::NarrowPath(path);
  m_hFile = pvk::mapfile::OpenRegular(narrow, O_RDWR | kModeFlags[mode]);
  if (m_hFile < 0) return;
  m_strPath = narrow;
  const std::int64_t length = pvk::mapfile::FileLength(m_hFile);
  if (length < 0) return;
  // An empty file cannot be mapped, so it grows to one page; destruction cuts it back.
  if (length == 0 && !AllocateFileEnd(m_hFile, 0, N_EMPTY_CAPACITY)) return;
  if (!Map(length == 0 ? N_EMPTY_CAPACITY : static_cast<std::uint64_t>(length))) return;
  m_nSize = static_cast<std::uint64_t>(length);
}

CMemoryFile::~CMemoryFile() {
  if (m_pView) ::munmap(m_pView, m_nCapacity);
  if (m_hFile < 0) return;
  if (m_nSize != m_nCapacity) SetFileEnd(m_hFile, m_nSize);
  if (PathNamesFile(m_strPath, m_hFile)) ::unlink(m_strPath.c_str());
  ::close(m_hFile);
}

bool CMemoryFile::reserve(std::uint64_t n) {
  if (!m_pView) return false;
  if (n <= m_nCapacity) return true;
  if (!AllocateFileEnd(m_hFile, m_nCapacity, n)) {
    Release();
    return false;
  }
  void* view = ::mremap(m_pView, m_nCapacity, n, MREMAP_MAYMOVE);
  if (view == MAP_FAILED) {
    Release();
    return false;
  }
  m_pView = static_cast<char*>(view);
  m_nCapacity = n;
  return true;
}

bool CMemoryFile::resize(std::uint64_t n) {
  if (!m_pView || (n > m_nCapacity && !reserve(n))) return false;
  m_nSize = n;
  return true;
}

bool CMemoryFile::flush() { return m_pView && ::msync(m_pView, m_nSize, MS_SYNC) == 0; }

bool CMemoryFile::Map(std::uint64_t bytes) {
  void* view = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, m_hFile, 0);
  if (view == MAP_FAILED) return false;
  m_pView = static_cast<char*>(view);
  m_nCapacity = bytes;
  return true;
}

void CMemoryFile::Release() {
  if (m_pView) ::munmap(m_pView, m_nCapacity);
  m_pView = nullptr;
  m_nSize = 0;
  m_nCapacity = 0;
}
