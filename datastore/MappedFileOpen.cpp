#include "datastore/MappedFileOpen.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "base/ConvertString.h"

namespace pvk::mapfile {

std::string NarrowPath(const wchar_t* path) {
  return path ? zar::lib::MConvertString::ToMultiByte(path, CP_UTF8) : std::string();
}

int OpenRegular(const std::string& path, int flags) {
  if (path.empty()) return -1;
  // Non-blocking, so that a pipe in the path's place cannot stall the open.
  int fd;
  do fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0600);
  while (fd < 0 && errno == EINTR);
  if (fd < 0) return -1;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return -1;
  }
  return fd;
}

std::int64_t FileLength(int fd) {
  struct stat st;
  return ::fstat(fd, &st) == 0 ? static_cast<std::int64_t>(st.st_size) : -1;
}

}  // namespace pvk::mapfile
