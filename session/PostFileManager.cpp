#include "session/PostFileManager.h"

#include <algorithm>
#include <array>
#include <chrono>

#include "base/FileCtrl.h"
#include "base/MsgOut.h"
#include "base/TestEnv.h"
#include "base/ValidAddress.h"
#include "base/WaitCursor.h"
#include "core/ModelDBLink.h"
#include "resultfile/PostFile.h"
#include "session/POHPools.h"
#include "session/POHSession.h"
#include "session/POHVcas.h"
#include "session/ResultFileManager.h"
#include "vresult/VResult.h"

namespace {

// Analysis kinds whose volume principal results are shown as plain scalars.
bool MarksVolumeScalars(int kind) { return kind == 114 || kind == 115 || kind == 119; }

// The four node results from `first` on become scalars when the step has `first`.
void MarkScalarGroup(const CVResultPackage& package, std::int32_t first) {
  if (!package.ExistVolume(first)) return;
  for (std::int32_t id = first; id < first + 4; ++id)
    if (CVResult* pResult = package.Find(pvk::LOC_NODE, id)) pResult->SetAMTType(pvk::AMT_SCALAR);
}

bool IsLive(const CPOHPoolBase* pPool, std::uint64_t itr) {
  return pPool && itr && zar::IsValidAddress(reinterpret_cast<const void*>(itr), 8) &&
         pPool->IsLiveItr(itr);
}

bool WantsProfile() {
  return zar::lib::GetTestEnvValue(L"Profile_Time").CompareNoCase(L"yes") == 0;
}

}  // namespace

CPostFileManager::CPostFileManager(IPOHSession* pSession, IPreDBLinker* pLinker)
    : m_pSession(pSession), m_pLinker(pLinker) {}

CPostFileManager::~CPostFileManager() {
  Clear();
  m_aManagers.clear();
}

std::uint64_t CPostFileManager::AddFile(const CString& path, std::uint64_t dbItr) {
  CWaitCursor waitCursor;
  if (!m_pSession || !zar::lib::MFileCtrl::IsFileExist(path)) return 0;
  CResultFileManager* pManager = FindManager(path);
  // The file imported before for the same item goes only once the new one is in.
  const std::uint64_t replacedItr = GetMcasOfDBItr(dbItr);
  IPostFile* pFile = pManager ? pManager->AddFile(path, 0) : nullptr;
  if (!pFile) return 0;
  // Wall time: the processor time of all threads would say nothing of the user's wait.
  const auto start = std::chrono::steady_clock::now();
  if (!ImportFile(*pFile, dbItr)) {
    pManager->RemoveFile(pFile);
    return 0;
  }
  pManager->BindImport(pFile);
  if (WantsProfile())
    zar::lib::nsMsgOutFormat(
        L"CPostFileManager AddFile : %g",
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  RemoveReplaced(replacedItr);
  m_pSession->Optimize();
  m_pSession->BuildDBItrMap();
  return pFile->GetPOHMcasItr();
}

IPostFile* CPostFileManager::GetPostFile(std::uint64_t mcasItr) const {
  for (const auto& pManager : m_aManagers)
    if (IPostFile* pFile = pManager->GetFile(mcasItr)) return pFile;
  return nullptr;
}

int CPostFileManager::RemoveFile(std::uint64_t mcasItr) {
  return ForEachManager([mcasItr](CResultFileManager& m) { return m.RemoveFile(mcasItr); });
}

int CPostFileManager::RemoveFileList(const zar::MArray<std::uint64_t>& mcasItrs) {
  return ForEachManager([&mcasItrs](CResultFileManager& m) { return m.RemoveFileList(mcasItrs); });
}

int CPostFileManager::DeleteFileW(std::uint64_t mcasItr) {
  return ForEachManager([mcasItr](CResultFileManager& m) { return m.DeleteFileW(mcasItr); });
}

int CPostFileManager::DeleteFileList(const zar::MArray<std::uint64_t>& mcasItrs) {
  return ForEachManager([&mcasItrs](CResultFileManager& m) { return m.DeleteFileList(mcasItrs); });
}

void CPostFileManager::Clear() {
  for (const auto& pManager : m_aManagers) pManager->Clear();
}

void CPostFileManager::UpdateMPUPost(IPreDBLinker* pLinker) {
  zar::MArray<IPostFile*> files;
  for (const auto& pManager : m_aManagers) {
    pManager->GetFiles(files);
    for (IPostFile* pFile : files) pFile->RebuildMPU(pLinker);
  }
}

void CPostFileManager::AddResultFileManager(std::unique_ptr<CResultFileManager> pManager) {
  if (pManager) m_aManagers.push_back(std::move(pManager));
}

CResultFileManager* CPostFileManager::FindManager(const CString& path) const {
  CString upperPath = path;
  upperPath.MakeUpper();
  const auto it = std::find_if(m_aManagers.begin(), m_aManagers.end(), [&](const auto& pManager) {
    return pManager->ValidateExtension(upperPath) != 0;
  });
  return it == m_aManagers.end() ? nullptr : it->get();
}

int CPostFileManager::ImportFile(IPostFile& file, std::uint64_t dbItr) {
  return file.CreatePOH(m_pSession, m_pLinker, dbItr) && file.CreateINFO(m_pLinker) &&
                 RemakeResult(dbItr, file.GetPOHMcasItr())
             ? 1
             : 0;
}

int CPostFileManager::RemakeResult(std::uint64_t dbItr, std::uint64_t mcasItr) {
  // A host always opens a file for one of its result items: without one the file is refused.
  if (!dbItr || !zar::IsValidAddress(reinterpret_cast<const void*>(dbItr), 1) ||
      !IsLive(m_pSession->GetPOHPool(pvk::POH_LEVEL_MCAS), mcasItr))
    return 0;
  if (!MarksVolumeScalars(GetAnalysisKind(dbItr))) return 1;
  const auto* pSteps =
      static_cast<const CPOHPoolVcas*>(m_pSession->GetPOHPool(pvk::POH_LEVEL_VCAS));
  zar::MArray<std::uint64_t> vcasItrs;
  pSteps->GetListByPOHMcas(mcasItr, vcasItrs);
  for (const std::uint64_t vcasItr : vcasItrs) {
    const auto* pStep = dynamic_cast<const CPOHVcas*>(pSteps->GetAt(vcasItr));
    if (!pStep || !pStep->GetPackage()) continue;
    MarkScalarGroup(*pStep->GetPackage(), 7107);
    MarkScalarGroup(*pStep->GetPackage(), 7207);
  }
  return 1;
}

int CPostFileManager::GetAnalysisKind(std::uint64_t dbItr) const {
  const IPreDBTable* pTable =
      m_pLinker ? m_pLinker->GetTable(IPreDBLinker::N_ANALYSIS_TABLE) : nullptr;
  if (!pTable || !dbItr || !zar::IsValidAddress(reinterpret_cast<const void*>(dbItr), 1)) return 0;
  const auto* pRecord = static_cast<const std::uint8_t*>(pTable->GetRecord(dbItr));
  if (!pRecord || !zar::IsValidAddress(pRecord, IPreDBLinker::N_ANALYSIS_KIND_BYTE + 1)) return 0;
  return pRecord[IPreDBLinker::N_ANALYSIS_KIND_BYTE];
}

std::uint64_t CPostFileManager::GetMcasOfDBItr(std::uint64_t dbItr) const {
  const CPOHPoolBase* pPool = m_pSession->GetPOHPool(pvk::POH_LEVEL_MCAS);
  return dbItr ? pPool->GetByDBItr(dbItr) : 0;
}

void CPostFileManager::RemoveReplaced(std::uint64_t mcasItr) {
  for (const auto& pManager : m_aManagers)
    if (pManager->Exist(mcasItr)) pManager->RemoveFile(mcasItr);
}

template <class Op>
int CPostFileManager::ForEachManager(Op op) {
  return std::all_of(m_aManagers.begin(), m_aManagers.end(),
                     [&op](const auto& pManager) { return op(*pManager) != 0; })
             ? 1
             : 0;
}
