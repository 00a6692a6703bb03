#include "session/ResultFileManager.h"

#include <algorithm>

#include "base/ValidAddress.h"
#include "resultfile/PostFile.h"
#include "session/POHMcas.h"
#include "session/POHPoolBase.h"
#include "session/POHSession.h"

CResultFileManager::CResultFileManager(IPOHSession* pSession) : m_pSession(pSession) {}

CResultFileManager::~CResultFileManager() = default;

IPostFile* CResultFileManager::GetFile(std::uint64_t mcasItr) const {
  const auto it = std::find_if(m_aFiles.begin(), m_aFiles.end(), [mcasItr](const auto& pFile) {
    return pFile->GetPOHMcasItr() == mcasItr;
  });
  return it == m_aFiles.end() ? nullptr : it->get();
}

std::int32_t CResultFileManager::GetFiles(zar::MArray<IPostFile*>& files) const {
  files.clear();
  for (const auto& pFile : m_aFiles) files.push_back(pFile.get());
  return static_cast<std::int32_t>(files.size());
}

CPOHMcas* CResultFileManager::Find(const CString& path) const {
  for (const auto& pFile : m_aFiles) {
    CPOHMcas* pMcas = McasOf(*pFile);
    if (pMcas && pMcas->GetResultFilePath().CompareNoCase(path) == 0) return pMcas;
  }
  return nullptr;
}

int CResultFileManager::RemoveFile(std::uint64_t mcasItr) { return RemoveFile(GetFile(mcasItr)); }

int CResultFileManager::RemoveFile(CPOHMcas* pMcas) {
  if (!pMcas) return 0;
  const auto it = std::find_if(m_aFiles.begin(), m_aFiles.end(),
                               [&](const auto& pFile) { return McasOf(*pFile) == pMcas; });
  return it == m_aFiles.end() ? 0 : Unlink(it, false);
}

int CResultFileManager::RemoveFile(IPostFile* pFile) {
  const auto it = FindFile(pFile);
  return it == m_aFiles.end() ? 0 : Unlink(it, false);
}

int CResultFileManager::DeleteFileW(std::uint64_t mcasItr) {
  const auto it = FindFile(GetFile(mcasItr));
  return it == m_aFiles.end() ? 0 : Unlink(it, true);
}

int CResultFileManager::DeleteFileW(CPOHMcas* pMcas) {
  if (!pMcas) return 0;
  const auto it = std::find_if(m_aFiles.begin(), m_aFiles.end(),
                               [&](const auto& pFile) { return McasOf(*pFile) == pMcas; });
  return it == m_aFiles.end() ? 0 : Unlink(it, true);
}

int CResultFileManager::RemoveFileList(const zar::MArray<std::uint64_t>& mcasItrs) {
  return std::all_of(mcasItrs.begin(), mcasItrs.end(),
                     [this](std::uint64_t itr) { return RemoveFile(itr) != 0; })
             ? 1
             : 0;
}

int CResultFileManager::DeleteFileList(const zar::MArray<std::uint64_t>& mcasItrs) {
  return std::all_of(mcasItrs.begin(), mcasItrs.end(),
                     [this](std::uint64_t itr) { return DeleteFileW(itr) != 0; })
             ? 1
             : 0;
}

int CResultFileManager::DeleteAllFile() {
  while (!m_aFiles.empty()) Unlink(m_aFiles.begin(), true);
  return 1;
}

int CResultFileManager::Clear() {
  zar::MArray<std::uint64_t> mcasItrs;
  for (const auto& pFile : m_aFiles) mcasItrs.push_back(pFile->GetPOHMcasItr());
  return RemoveFileList(mcasItrs);
}

IPostFile* CResultFileManager::AppendFile(std::unique_ptr<IPostFile> pFile) {
  return pFile ? m_aFiles.emplace_back(std::move(pFile)).get() : nullptr;
}

CResultFileManager::TFileList::iterator CResultFileManager::FindFile(const IPostFile* pFile) {
  return std::find_if(m_aFiles.begin(), m_aFiles.end(),
                      [pFile](const auto& p) { return pFile && p.get() == pFile; });
}

CPOHMcas* CResultFileManager::McasOf(const IPostFile& file) const {
  CPOHPoolBase* pPool = m_pSession ? m_pSession->GetPOHPool(0) : nullptr;
  const std::uint64_t itr = file.GetPOHMcasItr();
  // A freed entry may still be readable, so the pool also confirms a live entry.
  if (!pPool || !itr || !zar::IsValidAddress(reinterpret_cast<const void*>(itr), 8) ||
      !pPool->IsLiveItr(itr))
    return nullptr;
  return dynamic_cast<CPOHMcas*>(pPool->GetAt(itr));
}

int CResultFileManager::Unlink(TFileList::iterator it, bool bFromDisk) {
  std::unique_ptr<IPostFile> pFile = std::move(*it);
  m_aFiles.erase(it);
  if (m_pSession) m_pSession->Remove(pFile->GetPOHMcasItr());
  return bFromDisk ? pFile->DeleteFileW() : 1;
}
