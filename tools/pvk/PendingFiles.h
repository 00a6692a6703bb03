#pragma once
// Files written under temporary names in their own folder and given their names together at
// the end, so that a failed run leaves no half-written file behind; a file is renamed over an
// older one of its name only when it is whole.
#include <filesystem>
#include <string>
#include <vector>

class CPendingFiles {
public:
  explicit CPendingFiles(std::filesystem::path folder) : m_folder(std::move(folder)) {}
  // Removes the temporary files that were not renamed.
  ~CPendingFiles();
  CPendingFiles(const CPendingFiles&) = delete;
  CPendingFiles& operator=(const CPendingFiles&) = delete;

  // The temporary path to write the file `name` of the folder to.
  std::string Add(const std::string& name);
  // Renames the files in the order they were added; empty, or why a rename failed.
  std::string Commit();
  // The files' own paths, in the order they were added.
  std::vector<std::string> Paths() const;

private:
  struct TFile {
    std::filesystem::path temp, path;
  };
  std::filesystem::path m_folder;
  std::vector<TFile> m_files;
  std::size_t m_nRenamed = 0;
};
