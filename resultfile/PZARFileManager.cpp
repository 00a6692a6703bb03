#include "resultfile/PZARFileManager.h"

#include <memory>

#include "base/FileCtrl.h"
#include "base/WaitCursor.h"
#include "resultfile/PZARFileEx.h"

CPZARFileManager::~CPZARFileManager() = default;

int CPZARFileManager::ValidateExtension(const CString& upperPath) const {
  CString path = upperPath;
  path.MakeUpper();
  return path.Find(L".TKVP", 1) > 0 ? 1 : 0;
}

IPostFile* CPZARFileManager::AddFile(const CString& path, std::uint64_t key) {
  IPostFile* pFile = ScanAndAppend(path);
  // Only a file that was read replaces the earlier one.
  if (pFile && key) RemoveFile(key);
  return pFile;
}

IPostFile* CPZARFileManager::AddFile(const CString& path) {
  CWaitCursor waitCursor;
  return ScanAndAppend(path);
}

IPostFile* CPZARFileManager::ScanAndAppend(const CString& path) {
  m_aRefusalReasons.clear();
  if (!zar::lib::MFileCtrl::IsFileExist(path)) return nullptr;
  auto pFile = std::make_unique<CPZARFileEx>();
  if (pFile->Scan(path) == 1) return AppendFile(std::move(pFile));
  m_aRefusalReasons = pFile->GetScanReasons();
  return nullptr;
}
