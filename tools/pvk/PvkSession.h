#pragma once
// One result file opened as a host opens it: a session, a stand-alone model database built
// from the file's own node and element records, a post file manager and its AddFile.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "session/MemModelDB.h"
#include "session/QVEPOHSession.h"
#include "session/QVEPostFileManager.h"

class CPOHMcas;
class CPOHScas;
class CPOHVcas;
class CPZARFile;

class CPvkSession {
public:
  // Throws CPvkError when the file cannot be opened or imported.
  explicit CPvkSession(const std::string& path);
  ~CPvkSession();
  CPvkSession(const CPvkSession&) = delete;
  CPvkSession& operator=(const CPvkSession&) = delete;

  const std::string& Path() const { return m_path; }
  CPZARFile& File() const { return *m_pFile; }
  const CPOHMcas& Mcas() const;
  // Built from the file's node and element records on first use: listing the case tree or the
  // results needs no entities.
  CMemModelDB& Model();
  std::vector<std::uint64_t> Subcases() const;
  std::vector<std::uint64_t> Steps(std::uint64_t scasItr) const;
  const CPOHScas& Scas(std::uint64_t itr) const;
  const CPOHVcas& Vcas(std::uint64_t itr) const;
  // A 1-based index in iteration order or an exact name; throws CPvkError (3) when none.
  std::uint64_t SelectSubcase(const std::string& sel) const;
  std::uint64_t SelectStep(std::uint64_t scasItr, const std::string& sel) const;

private:
  std::vector<std::uint64_t> Children(std::int32_t level, std::uint64_t parent) const;
  std::uint64_t Select(const std::vector<std::uint64_t>& itrs, std::int32_t level,
                       const std::string& sel, const char* kind) const;

  std::string m_path;
  CQVEPOHSession m_session;
  CMemModelDB m_db;
  std::unique_ptr<CQVEPostFileManager> m_pManager;
  std::uint64_t m_nMcas = 0;
  CPZARFile* m_pFile = nullptr;  // not owned: the manager's
  bool m_bModelFilled = false;
};
