#pragma once
// A private folder under the temporary folder, removed with everything in it at the end of
// the test.
#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/CString.h"

class ScratchFolder {
public:
  ScratchFolder() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "pvk-test-XXXXXX").string();
    m_path = ::mkdtemp(tmpl.data()) ? tmpl + "/" : std::string();
  }
  ~ScratchFolder() {
    std::error_code ec;
    if (!m_path.empty()) std::filesystem::remove_all(m_path, ec);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The folder (ending with '/') or a name inside it; the test file names are ASCII.
  std::string Narrow(const std::string& name = {}) const { return m_path + name; }
  CString Wide(const std::string& name = {}) const {
    const std::string narrow = Narrow(name);
    return CString(std::wstring(narrow.begin(), narrow.end()));
  }

private:
  std::string m_path;
};
