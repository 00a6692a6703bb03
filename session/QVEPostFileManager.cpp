#include "session/QVEPostFileManager.h"

#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "base/ConvertString.h"
#include "base/FileCtrl.h"
#include "resultfile/PZARFileManager.h"

namespace {

constexpr unsigned kUtf8 = 65001;

// The root of the post cache folders without a sub-folder: the temporary folder +
// "TarvoPost/", as the facade's GetPostCacheFolderPath builds it.
CString GetPostCacheRoot() {
  std::error_code ec;
  std::string folder = std::filesystem::temp_directory_path(ec).string();
  if (ec || folder.empty()) return CString();
  if (folder.back() != '/') folder.push_back('/');
  folder.append("TarvoPost/");
  return zar::lib::MConvertString::ToWide(folder, kUtf8);
}

}  // namespace

CQVEPostFileManager::CQVEPostFileManager(IPOHSession* pSession, IPreDBLinker* pLinker)
    : CPostFileManager(pSession, pLinker) {
  AddResultFileManager(std::make_unique<CPZARFileManager>(pSession));
  const CString root = GetPostCacheRoot();
  // Other users share the temporary folder, so the cache stays private.
  if (!root.IsEmpty() && !zar::lib::MFileCtrl::IsFolderExist(root))
    zar::lib::MFileCtrl::CreateFolder(root, true);
}

CQVEPostFileManager::~CQVEPostFileManager() = default;
