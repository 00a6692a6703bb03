#include "render/AnimCacheFolder.h"

#include <unistd.h>

#include <cstdint>
#include <string>

#include "base/ConvertString.h"
#include "base/FileCtrl.h"
#include "session/OwnedFolder.h"

namespace pvk::render {

namespace {

constexpr const wchar_t* kAnimFolderName = L"TarvoAni/";
// Stream files, and the memory file that a process which ended abruptly could not remove.
constexpr const char* kStalePatterns[] = {"*.mani*", "*.mmap"};

}  // namespace

CString AnimFolderPath(const wchar_t* folder) {
  CString path = folder && *folder ? CString(folder) : zar::lib::MFileCtrl::GetTempFolderPath();
  if (path.IsEmpty()) return {};
  if (path.Right(1) != L"/") path += L"/";
  return path + kAnimFolderName;
}

void RemoveStaleAnimFolders(const CString& animFolder) {
  const pvk::cache::COwnedFolder root(
      zar::lib::MConvertString::ToMultiByte(animFolder.str(), CP_UTF8));
  for (const std::string& name : root.ListStaleProcessFolders()) {
    const pvk::cache::COwnedFolder stale(root.Fd(), name);
    for (const char* pattern : kStalePatterns) stale.RemoveFilesMatching(pattern);
    root.RemoveFolder(name);
  }
}

CString MakeAnimProcessFolder(const wchar_t* folder) {
  const CString animFolder = AnimFolderPath(folder);
  if (animFolder.IsEmpty() || !zar::lib::MFileCtrl::CreateFolder(animFolder, true)) return {};
  RemoveStaleAnimFolders(animFolder);
  CString process;
  process.Format(L"%s%p/", animFolder.GetString(), static_cast<std::uint64_t>(::getpid()));
  return zar::lib::MFileCtrl::CreateFolder(process, true) ? process : CString();
}

}  // namespace pvk::render
