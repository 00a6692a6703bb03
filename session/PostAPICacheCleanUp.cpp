// Clean-up of the post cache folders. Everything below the folder that the caller names is
// reached through COwnedFolder, so only this user's entries go and no link is followed.
#include <fcntl.h>
#include <signal.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <string>

#include "base/ConvertString.h"
#include "session/OwnedFolder.h"
#include "session/PostAPI.h"

namespace {

using pvk::cache::COwnedFolder;

constexpr unsigned kUtf8 = 65001;

std::string Narrow(const CString& text) {
  return zar::lib::MConvertString::ToMultiByte(text.str(), kUtf8);
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

void CleanAndRemoveAt(const COwnedFolder& parent, const std::string& name,
                      const std::string& pattern) {
  COwnedFolder(parent.Fd(), name).RemoveFilesMatching(pattern);
  parent.RemoveFolder(name);
}

void CleanSessionsOf(const COwnedFolder& folder, const std::string& pattern) {
  for (const std::string& name : folder.ListOwnedFolders()) CleanAndRemoveAt(folder, name, pattern);
}

// A process folder loses its session folders, its own matching files and then itself.
void RemoveProcessFolderAt(const COwnedFolder& root, const std::string& name,
                           const std::string& pattern) {
  CleanSessionsOf(COwnedFolder(root.Fd(), name), pattern);
  CleanAndRemoveAt(root, name, pattern);
}

// Splits a folder path into its parent folder and last name; false for a path without a
// removable last name ("/", ".", "..").
bool SplitFolderPath(std::string path, std::string& parent, std::string& name) {
  while (!path.empty() && path.back() == '/') path.pop_back();
  const std::size_t slash = path.rfind('/');
  parent = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  name = slash == std::string::npos ? path : path.substr(slash + 1);
  return !name.empty() && name != "." && name != "..";
}

}  // namespace

void IPostAPI::CleanAndRemoveDir(const CString& dir, const CString& pattern) {
  std::string parent, name;
  if (SplitFolderPath(Narrow(dir), parent, name))
    CleanAndRemoveAt(COwnedFolder(parent, false), name, Narrow(pattern));
}

void IPostAPI::CleanUpPsessionCacheFolder(const CString& dir, const CString& pattern) {
  CleanSessionsOf(COwnedFolder(Narrow(dir)), Narrow(pattern));
}

void IPostAPI::CleanUpPostCacheFolder(const CString& root, const CString& pattern) {
  const COwnedFolder rootFolder(Narrow(root));
  const std::string glob = Narrow(pattern);
  std::uint64_t pid = 0;
  for (const std::string& name : rootFolder.ListOwnedFolders())
    if (ParseHexName(name, pid) && IsProcessGone(pid))
      RemoveProcessFolderAt(rootFolder, name, glob);
}

void IPostAPI::CleanUpPostCacheFolderAll(const CString& sub, std::uint64_t processId,
                                         const CString& pattern) {
  CString root, name;
  if (!GetPostCacheFolderPath(root, sub)) return;
  name.Format(L"%p", processId);
  RemoveProcessFolderAt(COwnedFolder(Narrow(root)), Narrow(name), Narrow(pattern));
}
