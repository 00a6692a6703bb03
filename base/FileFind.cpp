#include "base/FileFind.h"

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>

#include "base/ConvertString.h"
#include "base/FileCtrl.h"

namespace {

std::vector<std::string> ListMatching(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> names;
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
  if (!dir) return names;
  while (const dirent* entry = ::readdir(dir.get()))
    if (CFileFind::MatchesPattern(pattern, entry->d_name)) names.emplace_back(entry->d_name);
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

bool CFileFind::MatchesPattern(const std::string& pattern, const std::string& name) {
  return pattern.empty() || pattern == "*.*" ||
         ::fnmatch(pattern.c_str(), name.c_str(), FNM_CASEFOLD) == 0;
}

bool CFileFind::FindFile(const wchar_t* pstrName) {
  Close();
  const CString request = pstrName ? pstrName : L"";
  const CString folder = zar::lib::MFileCtrl::GetFolderPath(request);
  const CString pattern = zar::lib::MFileCtrl::GetFileNameExt(request);
  m_strRoot = zar::lib::MFileCtrl::GetFilePathNameExt(folder.IsEmpty() ? L"." : folder.GetString());
  if (m_strRoot.IsEmpty() || m_strRoot[m_strRoot.GetLength() - 1] != L'/') m_strRoot += L'/';
  m_rootNarrow = zar::lib::MConvertString::ToMultiByte(m_strRoot.str(), CP_UTF8);
  m_names =
      ListMatching(m_rootNarrow, zar::lib::MConvertString::ToMultiByte(pattern.str(), CP_UTF8));
  return !m_names.empty();
}

int CFileFind::FindNextFile() {
  if (m_nNext >= m_names.size()) return 0;
  const std::string& name = m_names[m_nNext++];
  struct stat st;
  m_bIsDirectory = ::lstat((m_rootNarrow + name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  return m_nNext < m_names.size() ? 1 : 0;
}

void CFileFind::Close() {
  m_strRoot.Empty();
  m_rootNarrow.clear();
  m_names.clear();
  m_nNext = 0;
  m_bIsDirectory = false;
}

bool CFileFind::IsDots() const {
  const std::string* name = Current();
  return name && (*name == "." || *name == "..");
}

CString CFileFind::GetFileName() const {
  const std::string* name = Current();
  return name ? zar::lib::MConvertString::ToWide(*name, CP_UTF8) : CString();
}

CString CFileFind::GetFilePath() const { return Current() ? m_strRoot + GetFileName() : CString(); }

CString CFileFind::GetFileTitle() const { return zar::lib::MFileCtrl::GetFileTitle(GetFileName()); }

const std::string* CFileFind::Current() const {
  return m_nNext > 0 ? &m_names[m_nNext - 1] : nullptr;
}
