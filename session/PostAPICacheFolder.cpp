// Names of the post cache folders: this user's temporary folder, "TarvoPost/", one folder per
// process and one per session.
#include <unistd.h>

#include <algorithm>
#include <string>

#include "base/FileCtrl.h"
#include "session/PostAPI.h"

namespace {

// A longer temporary folder is refused rather than cut, since a cut path names another folder.
constexpr int kMaxTempFolderLength = 512;

CString WithSlash(CString folder) {
  if (!folder.IsEmpty() && folder[folder.GetLength() - 1] != L'/') folder += L'/';
  return folder;
}

// Empty when there is no usable temporary folder.
CString TempFolder() {
  const CString folder = zar::lib::MFileCtrl::GetTempFolderPath();
  return folder.GetLength() > kMaxTempFolderLength ? CString() : folder;
}

// The host's sub-folder name stays below the cache root: no absolute path, no "..".
bool IsInnerName(const CString& sub) {
  const std::wstring& text = sub.str();
  if (!text.empty() && text.front() == L'/') return false;
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t slash = std::min(text.find(L'/', start), text.size());
    if (text.compare(start, slash - start, L"..") == 0) return false;
    start = slash + 1;
  }
  return true;
}

std::uint64_t ProcessId() { return static_cast<std::uint64_t>(::getpid()); }

}  // namespace

int IPostAPI::GetPostCacheFolderPath(CString& out, const CString& sub) {
  out = IsInnerName(sub) ? TempFolder() : CString();
  if (out.IsEmpty()) return 0;
  out += L"TarvoPost/";
  if (!sub.IsEmpty()) out += WithSlash(sub);
  return 1;
}

int IPostAPI::GetCurPostCacheFolderPath(CString& out, const CString& sub) {
  CString root;
  out.Empty();
  if (GetPostCacheFolderPath(root, sub)) out.Format(L"%s%p/", root, ProcessId());
  return out.IsEmpty() ? 0 : 1;
}

int IPostAPI::GetCurPSessionCacheFolderPath(const IPOHSession* pSession, CString& out,
                                            const CString& sub) {
  CString root;
  out.Empty();
  if (pSession && GetPostCacheFolderPath(root, sub))
    out.Format(L"%s%p/%p/", root, ProcessId(), pSession);
  return out.IsEmpty() ? 0 : 1;
}

int IPostAPI::MakePostVresFilePath(const CString& folder, const CVResult* pResult,
                                   const CString& ext, CString& out) {
  out.Empty();
  if (pResult) out.Format(L"%s%p%s", folder, pResult, ext);
  return out.IsEmpty() ? 0 : 1;
}

int IPostAPI::CreateCacheFolder(const CString& path) {
  return zar::lib::MFileCtrl::CreateFolder(path, true) ? 1 : 0;
}
