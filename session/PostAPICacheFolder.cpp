// Names of the post cache folders: this user's temporary folder, "TarvoPost/", one folder per
// process and one per session.
#include <unistd.h>

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

std::uint64_t ProcessId() { return static_cast<std::uint64_t>(::getpid()); }

}  // namespace

int IPostAPI::GetPostCacheFolderPath(CString& out, const CString& sub) {
  out = TempFolder();
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
