#pragma once
// A folder of the post cache or animation cache tree opened without following a symbolic link,
// normally only when it is a real folder of this user. Everything below it is reached through its
// descriptor, so a link planted in the shared temporary folder cannot redirect a removal to another
// place.
#include <string>
#include <vector>

namespace pvk::cache {

class COwnedFolder {
public:
  // `name` is a path when `at` is AT_FDCWD, else one entry of the folder `at`.
  COwnedFolder(int at, const std::string& name, bool bOwnedOnly = true);
  // Opens `path`; a trailing '/' is ignored so that a link in the last place is not entered.
  // The parent of a folder to remove need not be this user's nor a real folder (bOwnedOnly
  // false).
  explicit COwnedFolder(const std::string& path, bool bOwnedOnly = true);
  COwnedFolder(const COwnedFolder&) = delete;
  COwnedFolder& operator=(const COwnedFolder&) = delete;
  ~COwnedFolder();

  bool IsOpen() const { return m_fd >= 0; }
  int Fd() const { return m_fd; }

  // The entries (dots skipped) that are real folders of this user, sorted by name.
  std::vector<std::string> ListOwnedFolders() const;
  // Those of them named with "%p" by a process that no longer runs: folders left behind.
  std::vector<std::string> ListStaleProcessFolders() const;
  // Removes every entry of this user that is not a folder and whose name matches the
  // wildcard pattern (CFileFind::MatchesPattern). A link is removed itself.
  void RemoveFilesMatching(const std::string& pattern) const;
  // Removes the sub-folder when it is an empty folder of this user; fails silently.
  void RemoveFolder(const std::string& name) const;

private:
  std::vector<std::string> ListNames() const;
  bool IsOwned(const std::string& name, bool bFolder) const;

  int m_fd = -1;
};

}  // namespace pvk::cache
