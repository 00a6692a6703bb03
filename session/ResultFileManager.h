#pragma once
// Holds the result files of one format: recognises them by extension, creates and scans the
// file objects and owns them. A file is known by its result file iterator, 0 until its import
// created the result file node and again once that node is gone.
#include <cstdint>
#include <memory>

#include "base/CString.h"
#include "base/Containers.h"
#include "qve_pvk_export.h"

class CPOHMcas;
class IPOHSession;
class IPostFile;

class PVK_API CResultFileManager {
public:
  explicit CResultFileManager(IPOHSession* pSession);
  // Removes the files with their result files from the session, whose sub-cases read through
  // the file objects; the session must outlive the manager.
  virtual ~CResultFileManager();
  CResultFileManager(const CResultFileManager&) = delete;
  CResultFileManager& operator=(const CResultFileManager&) = delete;

  virtual int ValidateExtension(const CString& upperPath) const = 0;
  // When the new file was scanned and `key` (not 0) names a file of the manager, that file is
  // removed; a file that fails leaves the earlier one in place.
  virtual IPostFile* AddFile(const CString& path, std::uint64_t key) = 0;
  virtual IPostFile* AddFile(const CString& path) = 0;

  // Ties the file to the result file entry that its import created, so that it never answers
  // for an entry that the pool later hands to another result file at the same address. A
  // lookup ties a file on first sight of its entry; the post file manager ties each file
  // right after its import. 1 when the file is held here and its entry is live.
  int BindImport(const IPostFile* pFile) const;

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
  // As RemoveFile, and the file is removed from disk; 0 also when that removal failed, though
  // the file is gone from the manager and the session all the same.
  int DeleteFileW(std::uint64_t mcasItr);
  int DeleteFileW(CPOHMcas* pMcas);
  // RemoveFileList stops at the first failure. DeleteFileList stops at an iterator that names
  // no file but goes on past a file that could not be removed from disk (already gone, say),
  // and reports it as 0 at the end. 1 for an empty list.
  int RemoveFileList(const zar::MArray<std::uint64_t>& mcasItrs);
  int DeleteFileList(const zar::MArray<std::uint64_t>& mcasItrs);
  // Every file is removed from disk and from the session; 1.
  int DeleteAllFile();
  // Every file object is deleted, with its result file when the session still holds it; 1.
  int Clear();

protected:
  IPOHSession* GetPOHSession() const { return m_pSession; }
  IPostFile* AppendFile(std::unique_ptr<IPostFile> pFile);

private:
  struct TFileEntry {
    std::unique_ptr<IPostFile> pFile;
    // The result file entry the file is tied to: its iterator and its pool key. Keys are never
    // reused in a pool, so an entry at the same address with another key is not this file's.
    mutable std::uint64_t nBoundItr = 0;
    mutable std::int32_t nBoundKey = -1;
  };
  using TFileList = zar::MArray<TFileEntry>;

  // The iterator of the file's own live result file entry, or 0. Ties the file on first sight.
  std::uint64_t OwnItr(const TFileEntry& entry) const;
  CPOHMcas* OwnMcas(const TFileEntry& entry) const;
  template <class Pred>
  TFileList::iterator FindEntry(Pred pred);
  TFileList::iterator FindByItr(std::uint64_t mcasItr);
  TFileList::iterator FindByMcas(const CPOHMcas* pMcas);
  // Drops the file's own result file from the session before the file object goes, since its
  // data sets read through the file's records. 0 for the end iterator.
  int Unlink(TFileList::iterator it, bool bFromDisk);

  TFileList m_aFiles;
  IPOHSession* m_pSession;  // not owned
};
