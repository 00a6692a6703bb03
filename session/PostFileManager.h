#pragma once
// The host's entry for adding and removing result files of one session: holds one result
// file manager per result file format, in registration order, and runs the import of each
// added file.
#include <cstdint>
#include <memory>

#include "base/CString.h"
#include "base/Containers.h"
#include "qve_pvk_export.h"

class IPOHSession;
class IPostFile;
class IPreDBLinker;
class CResultFileManager;

class PVK_API CPostFileManager {
public:
  virtual ~CPostFileManager();
  CPostFileManager(const CPostFileManager&) = delete;
  CPostFileManager& operator=(const CPostFileManager&) = delete;

  // Scans and imports the file; its result file iterator, or 0 when anything failed, in which
  // case nothing of the file stays in the session or the managers. A file added before for
  // the same model-database item is replaced once the new one was imported; when the new one
  // fails, the earlier one stays.
  virtual std::uint64_t AddFile(const CString& path, std::uint64_t dbItr);

  IPreDBLinker* GetPreDBLinker() const { return m_pLinker; }
  IPostFile* GetPostFile(std::uint64_t mcasItr) const;
  // Forwarded to every result file manager while the previous ones succeeded; 1 when all
  // visited succeeded, also with no managers.
  int RemoveFile(std::uint64_t mcasItr);
  int RemoveFileList(const zar::MArray<std::uint64_t>& mcasItrs);
  int DeleteFileW(std::uint64_t mcasItr);
  int DeleteFileList(const zar::MArray<std::uint64_t>& mcasItrs);
  void Clear();
  // Rebuilds the mesh post unit of every file with the linker's body model.
  void UpdateMPUPost(IPreDBLinker* pLinker);

protected:
  CPostFileManager(IPOHSession* pSession, IPreDBLinker* pLinker);
  void AddResultFileManager(std::unique_ptr<CResultFileManager> pManager);
  IPOHSession* GetPOHSession() const { return m_pSession; }

private:
  CResultFileManager* FindManager(const CString& path) const;
  // The import of a scanned file: 1 when the session holds its result file afterwards.
  int ImportFile(IPostFile& file, std::uint64_t dbItr);
  // 0 unless mcasItr names a live result file. Marks the volume results of analysis kinds
  // 114, 115 and 119 as scalars when dbItr names an analysis item.
  int RemakeResult(std::uint64_t dbItr, std::uint64_t mcasItr);
  // The analysis kind code of the item, or 0 when dbItr names none.
  int GetAnalysisKind(std::uint64_t dbItr) const;
  // The result file imported before for this model-database item; 0 for none.
  std::uint64_t GetMcasOfDBItr(std::uint64_t dbItr) const;
  // Removes the file of that result file from whichever manager holds it.
  void RemoveReplaced(std::uint64_t mcasItr);
  template <class Op>
  int ForEachManager(Op op);

  IPOHSession* m_pSession;  // not owned
  IPreDBLinker* m_pLinker;  // not owned
  zar::MArray<std::unique_ptr<CResultFileManager>> m_aManagers;
};
