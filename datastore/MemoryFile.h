#pragma once
// A read-write memory-mapped temporary file: the whole file is mapped, and the file is
// removed when the object is destroyed. Sizes are 64-bit; there is no 4 GiB limit.
#include <cstdint>
#include <string>

#include "qve_pvk_export.h"

class PVK_API CMemoryFile {
public:
  enum e_open_mode : int {
    create_new = 0,         // fails when the file exists
    open_existing = 1,      // fails when it does not
    open_always = 2,        // opens or creates
    truncate_existing = 3,  // opens and empties; fails when it does not exist
    create_always = 4,      // creates or empties
  };

  // On any failure the file stays unusable: null view, size and capacity 0.
  CMemoryFile(const wchar_t* path, e_open_mode mode);
  CMemoryFile(const CMemoryFile&) = delete;
  CMemoryFile& operator=(const CMemoryFile&) = delete;
  // Unmaps, cuts the file to its size when that differs from the capacity, and removes it.
  ~CMemoryFile();

  char* data() { return m_pView; }
  const char* data() const { return m_pView; }
  std::uint64_t size() const { return m_nSize; }
  std::uint64_t capacity() const { return m_nCapacity; }

  // Remaps to exactly n bytes when n exceeds the capacity; the view may move. A failed
  // remap leaves the file unusable, as callers test the view. False when unusable.
  bool reserve(std::uint64_t n);
  // Growth beyond the capacity goes through reserve; false when unusable.
  bool resize(std::uint64_t n);
  // Writes the first size bytes of the view to the file.
  bool flush();

private:
  static constexpr std::uint64_t N_EMPTY_CAPACITY = 4096;

  bool Map(std::uint64_t fileSize);
  // Unmaps and leaves the file unusable.
  void Release();

  char* m_pView = nullptr;
  std::uint64_t m_nSize = 0;
  std::uint64_t m_nCapacity = 0;
  int m_hFile = -1;
  std::string m_strPath;  // removed at destruction: the file is a temporary
};
