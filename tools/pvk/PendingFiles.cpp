#include "PendingFiles.h"

#include <unistd.h>

namespace fs = std::filesystem;

CPendingFiles::~CPendingFiles() {
  std::error_code ec;
  for (std::size_t i = m_nRenamed; i < m_files.size(); ++i) fs::remove(m_files[i].temp, ec);
}

std::string CPendingFiles::Add(const std::string& name) {
  // Hidden, and named by the process, so that two runs into one folder do not meet.
  const std::string temp = "." + name + "." + std::to_string(::getpid()) + ".part";
  m_files.push_back({m_folder / temp, m_folder / name});
  return m_files.back().temp.string();
}

std::string CPendingFiles::Commit() {
  for (; m_nRenamed < m_files.size(); ++m_nRenamed) {
    std::error_code ec;
    fs::rename(m_files[m_nRenamed].temp, m_files[m_nRenamed].path, ec);
    if (ec) return ec.message();
  }
  return {};
}

std::vector<std::string> CPendingFiles::Paths() const {
  std::vector<std::string> paths;
  for (const TFile& file : m_files) paths.push_back(file.path.string());
  return paths;
}
