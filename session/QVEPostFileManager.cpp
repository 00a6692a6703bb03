#include "session/QVEPostFileManager.h"

#include <memory>

#include "base/FileCtrl.h"
#include "resultfile/PZARFileManager.h"
#include "session/PostAPI.h"

CQVEPostFileManager::CQVEPostFileManager(IPOHSession* pSession, IPreDBLinker* pLinker)
    : CPostFileManager(pSession, pLinker) {
  auto pPZARManager = std::make_unique<CPZARFileManager>(pSession);
  m_pPZARManager = pPZARManager.get();
  AddResultFileManager(std::move(pPZARManager));
  CString root;
  // Other users share the temporary folder, so the cache stays private.
  if (IPostAPI::GetPostCacheFolderPath(root, CString()) &&
      !zar::lib::MFileCtrl::IsFolderExist(root))
    IPostAPI::CreateCacheFolder(root);
}

CQVEPostFileManager::~CQVEPostFileManager() = default;
