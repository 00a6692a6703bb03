#pragma once
// Holds the result files of one format: recognises them by extension, creates and scans the
// file objects and owns them. A file is known by its result file iterator, 0 until its import
// created the result file node.
#include <cstdint>
#include <memory>

#include "base/CString.h"
#include "base/Containers.h"

class CPOHMcas;
class IPOHSession;
class IPostFile;

class CResultFileManager {
public:
  explicit CResultFileManager(IPOHSession* pSession);
  virtual ~CResultFileManager();
  CResultFileManager(const CResultFileManager&) = delete;
  CResultFileManager& operator=(const CResultFileManager&) = delete;

  virtual int ValidateExtension(const CString& upperPath) const = 0;
  // Removes the file of result file iterator `key` (when not 0) first.
  virtual IPostFile* AddFile(const CString& path, std::uint64_t key) = 0;
  virtual IPostFile* AddFile(const CString& path) = 0;

  IPostFile* GetFile(std::uint64_t mcasItr) const;
  // files becomes the files in the order added; returns their number.
  std::int32_t GetFiles(zar::MArray<IPostFile*>& files) const;
  int Exist(std::uint64_t mcasItr) const { return GetFile(mcasItr) ? 1 : 0; }
  // The result file node of the first file whose node's path matches ignoring case.
  CPOHMcas* Find(const CString& path) const;

  // The file object is deleted and the session drops its result file; the file stays on
  // disk. 0 when no file matches.
  int RemoveFile(std::uint64_t mcasItr);
  int RemoveFile(CPOHMcas* pMcas);
  // Removes a file by its own identity, so that a file whose import failed half way (its
  // result file iterator 0 or a real one) leaves nothing behind.
  int RemoveFile(IPostFile* pFile);
  // As RemoveFile, and the file is removed from disk; 0 also when that removal failed.
  int DeleteFileW(std::uint64_t mcasItr);
  int DeleteFileW(CPOHMcas* pMcas);
  // Stop at the first failure; 1 for an empty list.
  int RemoveFileList(const zar::MArray<std::uint64_t>& mcasItrs);
  int DeleteFileList(const zar::MArray<std::uint64_t>& mcasItrs);
  // Every file is removed from disk and from the session; 1.
  int DeleteAllFile();
  // RemoveFile of every file, stopping at the first failure.
  int Clear();

protected:
  IPOHSession* GetPOHSession() const { return m_pSession; }
  IPostFile* AppendFile(std::unique_ptr<IPostFile> pFile);

private:
  using TFileList = zar::MArray<std::unique_ptr<IPostFile>>;

  TFileList::iterator FindFile(const IPostFile* pFile);
  // The live result file node that a file's iterator names, or null.
  CPOHMcas* McasOf(const IPostFile& file) const;
  // Drops the session's result file before the file object goes, since the result file's
  // data sets read through the file's records.
  int Unlink(TFileList::iterator it, bool bFromDisk);

  TFileList m_aFiles;
  IPOHSession* m_pSession;  // not owned
};
