#include "session/OwnedFolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <memory>
#include <utility>

#include "base/FileFind.h"

namespace pvk::cache {

namespace {

int OpenFolder(int at, const std::string& name, bool bOwnedOnly) {
  // A caller's parent folder may be reached through a link; a cache folder may not.
  const int follow = bOwnedOnly ? O_NOFOLLOW : 0;
  const int fd = ::openat(at, name.c_str(), O_RDONLY | O_DIRECTORY | follow | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat st;
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode) && (!bOwnedOnly || st.st_uid == ::geteuid()))
    return fd;
  ::close(fd);
  return -1;
}

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

bool IsDots(const char* name) {
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// A folder name written with "%p": 1 to 16 hexadecimal digits.
bool ParseHexName(const std::string& name, std::uint64_t& value) {
  if (name.empty() || name.size() > 16) return false;
  value = 0;
  for (const char ch : name) {
    const int digit = ch >= '0' && ch <= '9'   ? ch - '0'
                      : ch >= 'A' && ch <= 'F' ? ch - 'A' + 10
                      : ch >= 'a' && ch <= 'f' ? ch - 'a' + 10
                                               : -1;
    if (digit < 0) return false;
    value = value << 4 | static_cast<std::uint64_t>(digit);
  }
  return true;
}

// No process can carry an id outside 1 .. INT_MAX; kill with 0 only probes the others.
bool IsProcessGone(std::uint64_t pid) {
  if (pid == 0 || pid > static_cast<std::uint64_t>(INT_MAX)) return true;
  return ::kill(static_cast<pid_t>(pid), 0) == -1 && errno == ESRCH;
}

}  // namespace

COwnedFolder::COwnedFolder(int at, const std::string& name, bool bOwnedOnly)
    : m_fd(name.empty() ? -1 : OpenFolder(at, name, bOwnedOnly)) {}

COwnedFolder::COwnedFolder(const std::string& path, bool bOwnedOnly)
    : COwnedFolder(AT_FDCWD, WithoutTrailingSlash(path), bOwnedOnly) {}

COwnedFolder::~COwnedFolder() {
  if (m_fd >= 0) ::close(m_fd);
}

std::vector<std::string> COwnedFolder::ListNames() const {
  std::vector<std::string> names;
  // The stream takes over its own descriptor; ours keeps naming the folder.
  const int fd = m_fd >= 0 ? ::fcntl(m_fd, F_DUPFD_CLOEXEC, 0) : -1;
  if (fd < 0) return names;
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::fdopendir(fd), ::closedir);
  if (!dir) {
    ::close(fd);
    return names;
  }
  ::rewinddir(dir.get());  // a duplicate shares the offset of an earlier listing
  while (const dirent* entry = ::readdir(dir.get()))
    if (!IsDots(entry->d_name)) names.emplace_back(entry->d_name);
  std::sort(names.begin(), names.end());
  return names;
}

bool COwnedFolder::IsOwned(const std::string& name, bool bFolder) const {
  struct stat st;
  if (::fstatat(m_fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return false;
  return st.st_uid == ::geteuid() && S_ISDIR(st.st_mode) == bFolder;
}

std::vector<std::string> COwnedFolder::ListOwnedFolders() const {
  std::vector<std::string> folders;
  for (const std::string& name : ListNames())
    if (IsOwned(name, true)) folders.push_back(name);
  return folders;
}

std::vector<std::string> COwnedFolder::ListStaleProcessFolders() const {
  std::vector<std::string> folders;
  std::uint64_t pid = 0;
  for (std::string& name : ListOwnedFolders())
    if (ParseHexName(name, pid) && IsProcessGone(pid)) folders.push_back(std::move(name));
  return folders;
}

void COwnedFolder::RemoveFilesMatching(const std::string& pattern) const {
  for (const std::string& name : ListNames())
    if (CFileFind::MatchesPattern(pattern, name) && IsOwned(name, false))
      ::unlinkat(m_fd, name.c_str(), 0);  // never follows a link in the name
}

void COwnedFolder::RemoveFolder(const std::string& name) const {
  if (IsOpen() && IsOwned(name, true)) ::unlinkat(m_fd, name.c_str(), AT_REMOVEDIR);
}

}  // namespace pvk::cache
