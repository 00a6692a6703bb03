#pragma once
// Points TMPDIR at a folder for the life of the object and restores it afterwards.
#include <cstdlib>
#include <optional>
#include <string>

class TmpDirOverride {
public:
  explicit TmpDirOverride(const std::string& folder) {
    if (const char* previous = std::getenv("TMPDIR")) m_saved = previous;
    ::setenv("TMPDIR", folder.c_str(), 1);
  }
  ~TmpDirOverride() { m_saved ? ::setenv("TMPDIR", m_saved->c_str(), 1) : ::unsetenv("TMPDIR"); }
  TmpDirOverride(const TmpDirOverride&) = delete;
  TmpDirOverride& operator=(const TmpDirOverride&) = delete;

private:
  std::optional<std::string> m_saved;
};
