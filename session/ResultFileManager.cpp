#include "session/ResultFileManager.h"

#include <algorithm>

#include "resultfile/PostFile.h"
#include "session/POHMcas.h"
#include "session/POHPoolBase.h"
#include "session/POHSession.h"

CResultFileManager::CResultFileManager(IPOHSession* pSession) : m_pSession(pSession) {}

CResultFileManager::~CResultFileManager() { Clear(); }

int CResultFileManager::BindImport(const IPostFile* pFile) const {
  const auto it = std::find_if(m_aFiles.begin(), m_aFiles.end(),
                               [pFile](const TFileEntry& e) { return e.pFile.get() == pFile; });
  return it != m_aFiles.end() && OwnItr(*it) ? 1 : 0;
}

IPostFile* CResultFileManager::GetFile(std::uint64_t mcasItr) const {
  if (!mcasItr) return nullptr;
  const auto it = std::find_if(m_aFiles.begin(), m_aFiles.end(),
                               [&](const TFileEntry& e) { return OwnItr(e) == mcasItr; });
  return it == m_aFiles.end() ? nullptr : it->pFile.get();
}

std::int32_t CResultFileManager::GetFiles(zar::MArray<IPostFile*>& files) const {
  files.clear();
  for (const TFileEntry& entry : m_aFiles) files.push_back(entry.pFile.get());
  return static_cast<std::int32_t>(files.size());
}

CPOHMcas* CResultFileManager::Find(const CString& path) const {
  for (const TFileEntry& entry : m_aFiles) {
    CPOHMcas* pMcas = OwnMcas(entry);
    if (pMcas && pMcas->GetResultFilePath().CompareNoCase(path) == 0) return pMcas;
  }
  return nullptr;
}

int CResultFileManager::RemoveFile(std::uint64_t mcasItr) {
  return Unlink(FindByItr(mcasItr), false);
}

int CResultFileManager::RemoveFile(CPOHMcas* pMcas) { return Unlink(FindByMcas(pMcas), false); }

int CResultFileManager::RemoveFile(IPostFile* pFile) {
  return Unlink(FindEntry([pFile](const TFileEntry& e) { return e.pFile.get() == pFile; }), false);
}

int CResultFileManager::DeleteFileW(std::uint64_t mcasItr) {
  return Unlink(FindByItr(mcasItr), true);
}

int CResultFileManager::DeleteFileW(CPOHMcas* pMcas) { return Unlink(FindByMcas(pMcas), true); }

int CResultFileManager::RemoveFileList(const zar::MArray<std::uint64_t>& mcasItrs) {
  return std::all_of(mcasItrs.begin(), mcasItrs.end(),
                     [this](std::uint64_t itr) { return RemoveFile(itr) != 0; })
             ? 1
             : 0;
}

int CResultFileManager::DeleteFileList(const zar::MArray<std::uint64_t>& mcasItrs) {
  int nResult = 1;
  for (const std::uint64_t itr : mcasItrs) {
    if (!Exist(itr)) return 0;
    if (!DeleteFileW(itr)) nResult = 0;
  }
  return nResult;
}

int CResultFileManager::DeleteAllFile() {
  while (!m_aFiles.empty()) Unlink(m_aFiles.begin(), true);
  return 1;
}

int CResultFileManager::Clear() {
  while (!m_aFiles.empty()) Unlink(m_aFiles.begin(), false);
  return 1;
}

IPostFile* CResultFileManager::AppendFile(std::unique_ptr<IPostFile> pFile) {
  if (!pFile) return nullptr;
  m_aFiles.push_back(TFileEntry{std::move(pFile)});
  return m_aFiles.back().pFile.get();
}

std::uint64_t CResultFileManager::OwnItr(const TFileEntry& entry) const {
  const CPOHPoolBase* pPool = m_pSession ? m_pSession->GetPOHPool(pvk::POH_LEVEL_MCAS) : nullptr;
  const std::uint64_t itr = entry.pFile->GetPOHMcasItr();
  if (!pPool || !itr || !pPool->IsLiveItr(itr)) return 0;
  const std::int32_t nKey = pPool->GetKeyByItr(itr);
  // A new iterator means a new import of the file.
  if (entry.nBoundItr != itr) {
    entry.nBoundItr = itr;
    entry.nBoundKey = nKey;
  }
  return nKey == entry.nBoundKey ? itr : 0;
}

CPOHMcas* CResultFileManager::OwnMcas(const TFileEntry& entry) const {
  const std::uint64_t itr = OwnItr(entry);
  return itr ? dynamic_cast<CPOHMcas*>(m_pSession->GetPOHPool(pvk::POH_LEVEL_MCAS)->GetAt(itr))
             : nullptr;
}

template <class Pred>
CResultFileManager::TFileList::iterator CResultFileManager::FindEntry(Pred pred) {
  return std::find_if(m_aFiles.begin(), m_aFiles.end(), pred);
}

CResultFileManager::TFileList::iterator CResultFileManager::FindByItr(std::uint64_t mcasItr) {
  return FindEntry([&](const TFileEntry& e) { return mcasItr && OwnItr(e) == mcasItr; });
}

CResultFileManager::TFileList::iterator CResultFileManager::FindByMcas(const CPOHMcas* pMcas) {
  return FindEntry([&](const TFileEntry& e) { return pMcas && OwnMcas(e) == pMcas; });
}

int CResultFileManager::Unlink(TFileList::iterator it, bool bFromDisk) {
  if (it == m_aFiles.end()) return 0;
  const std::uint64_t mcasItr = OwnItr(*it);
  std::unique_ptr<IPostFile> pFile = std::move(it->pFile);
  m_aFiles.erase(it);
  if (mcasItr) m_pSession->Remove(mcasItr);
  return bFromDisk ? pFile->DeleteFileW() : 1;
}
