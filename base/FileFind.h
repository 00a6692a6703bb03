#pragma once
// The framework's folder listing: a folder path followed by a wildcard name pattern
// ("*" or "*.*" for all; see MatchesPattern). The entries are taken when FindFile runs, sorted
// by name, "." and ".." included.
#include <cstddef>
#include <string>
#include <vector>

#include "base/CString.h"
#include "qve_pvk_export.h"

class PVK_API CFileFind {
public:
  // The wildcard rule of the platform this ports: fnmatch's "*", "?" and "[...]" without regard
  // to case; an empty pattern and "*.*" match every name.
  static bool MatchesPattern(const std::string& pattern, const std::string& name);

  // Null or empty, and a pattern ending with '/', list everything. True when anything matches.
  bool FindFile(const wchar_t* pstrName = nullptr);
  // Steps to the next entry, which is valid after the call; returns 0 when that entry is the
  // last one (and also when there was none).
  int FindNextFile();
  void Close();

  bool IsDots() const;
  // Reports the entry itself: a symbolic link to a folder is not a folder.
  bool IsDirectory() const { return m_bIsDirectory; }
  CString GetFileName() const;
  CString GetFilePath() const;
  CString GetFileTitle() const;
  // The absolute folder of the entries, ending with '/'.
  CString GetRoot() const { return m_strRoot; }

private:
  const std::string* Current() const;

  CString m_strRoot;
  std::string m_rootNarrow;
  std::vector<std::string> m_names;
  std::size_t m_nNext = 0;
  bool m_bIsDirectory = false;
};
