#pragma once
// Storage for the render data streams of animation frames: buffers appended to one growing
// memory-mapped file, and separate stream files for frames that do not fit there. Every
// buffer and file is addressed by the (size, offset) pair that adding it gave. Sizes and
// offsets are 64-bit; a request whose end would lie beyond the largest file offset is refused.
//
// The files live in a private per-process folder under the animation folder "TarvoAni/";
// folders that ended processes left there are removed when a streamer is made.
#include <cstdint>
#include <map>
#include <memory>

#include "base/CString.h"
#include "base/File.h"
#include "datastore/MemoryFile.h"
#include "qve_pvk_export.h"

class PVK_API CRndrVDFileStreammer {
public:
  // A null or empty folder means the per-user temporary folder; a null or empty name means
  // one made of the process id and this object's address. Only the name's file-name part is
  // used, so a name cannot lead out of the per-process folder.
  explicit CRndrVDFileStreammer(const wchar_t* folder = nullptr, const wchar_t* name = nullptr);
  CRndrVDFileStreammer(const CRndrVDFileStreammer&) = delete;
  CRndrVDFileStreammer& operator=(const CRndrVDFileStreammer&) = delete;
  // Removes the stream files, the memory file and, when nothing else is left in it, the
  // per-process folder.
  virtual ~CRndrVDFileStreammer();

  // Nonzero while nSize more bytes stay below the committed maximum capacity.
  int AvailableMemoryFile(std::uint64_t nSize) const;
  // Appends nSize bytes to the memory file and returns where to write them; null while
  // buffering is disabled or for a refused request. A memory file that cannot grow disables
  // buffering until Clear.
  char* AddStreamBuffer(std::uint64_t nSize, std::uint64_t& nOffset);
  // Takes back the last buffer added (other pairs change only the enabled flag) and stores
  // bEnable, unless buffering is already disabled.
  void ReverseStreamBuffer(std::uint64_t nSize, std::uint64_t nOffset, int bEnable);
  // Null unless the range lies within the memory file's size.
  const char* GetStreamBuffer(std::uint64_t nSize, std::uint64_t nOffset) const;

  // Creates a new stream file, never through an entry already in its place; null on failure.
  CFile* AddStreamFile(std::uint64_t nSize, std::uint64_t& nOffset);
  CFile* GetStreamFile(std::uint64_t nSize, std::uint64_t nOffset) const;

  // Enables buffering, zeroes the counters and removes every stream file. A memory file that
  // had failed is made anew.
  void Clear();
  // Clear, then fixes the maximum capacity at the memory file's capacity and empties it.
  void CommitMaxCapacity();

protected:
  // Replaces the memory file by an empty one; none while there is no per-process folder.
  void RemakeMemoryFile();

private:
  CString StreamFilePath(std::uint64_t nSize, std::uint64_t nOffset) const;
  void RemoveStreamFiles();

  CString m_strFolder;  // per-process folder, ending with '/'; empty when it cannot be had
  CString m_strName;
  int m_bEnable = 1;
  std::unique_ptr<CMemoryFile> m_pMemFile;
  std::map<CString, std::unique_ptr<CFile>> m_mapStreamFiles;
  std::uint64_t m_nMaxCapacity = 0;
  std::uint64_t m_nUsed = 0;
  std::uint64_t m_nFileOffset = 0;
};
