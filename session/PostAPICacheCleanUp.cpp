// Clean-up of the post cache folders. Everything below the folder that the caller names is
// reached through COwnedFolder, so only this user's entries go and no link is followed.
#include <cstdint>
#include <string>

#include "base/ConvertString.h"
#include "session/OwnedFolder.h"
#include "session/PostAPI.h"

namespace {

using pvk::cache::COwnedFolder;

std::string Narrow(const CString& text) {
  return zar::lib::MConvertString::ToMultiByte(text.str(), CP_UTF8);
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
  for (const std::string& name : rootFolder.ListStaleProcessFolders())
    RemoveProcessFolderAt(rootFolder, name, glob);
}

void IPostAPI::CleanUpPostCacheFolderAll(const CString& sub, std::uint64_t processId,
                                         const CString& pattern) {
  CString root, name;
  if (!GetPostCacheFolderPath(root, sub)) return;
  name.Format(L"%p", processId);
  RemoveProcessFolderAt(COwnedFolder(Narrow(root)), Narrow(name), Narrow(pattern));
}
