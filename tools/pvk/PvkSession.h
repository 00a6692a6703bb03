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

struct TStepSelect;

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
  const CQVEPostFileManager& Manager() const { return *m_pManager; }
  const CPOHMcas& Mcas() const;
  // Built from the file's node and element records on first use, with the geometry bodies of
  // the grid parts (pool 130): listing the case tree or the results needs no entities.
  CMemModelDB& Model();
  std::vector<std::uint64_t> Subcases() const;
  std::vector<std::uint64_t> Steps(std::uint64_t scasItr) const;
  const CPOHScas& Scas(std::uint64_t itr) const;
  const CPOHVcas& Vcas(std::uint64_t itr) const;
  // The name of a sub-case or step (pvk::POH_LEVEL_SCAS, pvk::POH_LEVEL_VCAS).
  std::string Name(std::int32_t level, std::uint64_t itr) const;
  // A real of the file as the file holds it: the shortest text of a 4-byte real when its
  // reals are 4 bytes ("0.2", not "0.20000000298023224"); JSON has null for NaN and infinity.
  std::string RealText(double value) const;
  std::string RealJson(double value) const;

  // A 1-based index in iteration order or an exact name; throws CPvkError (3) when none, with
  // the valid names and the nearest one.
  std::uint64_t SelectSubcase(const std::string& sel) const;
  // By index or name, or the step whose value is nearest to the asked value, with a note on
  // standard error when it is not exact.
  std::uint64_t SelectStep(std::uint64_t scasItr, const TStepSelect& select) const;
  struct TSelected {
    std::uint64_t scas = 0, vcas = 0;
  };
  // The sub-case and step of `select`, as the two above choose them.
  TSelected SelectCase(const TStepSelect& select) const;

private:
  std::uint64_t SelectStep(std::uint64_t scasItr, const std::string& sel) const;
  std::vector<std::uint64_t> Children(std::int32_t level, std::uint64_t parent) const;
  std::uint64_t Select(const std::vector<std::uint64_t>& itrs, std::int32_t level,
                       const std::string& sel, const char* kind) const;
  std::uint64_t NearestStep(std::uint64_t scasItr, double value, bool quiet) const;

  std::string m_path;
  CQVEPOHSession m_session;
  CMemModelDB m_db;
  std::unique_ptr<CQVEPostFileManager> m_pManager;
  std::uint64_t m_nMcas = 0;
  CPZARFile* m_pFile = nullptr;  // not owned: the manager's
  bool m_bModelFilled = false;
};
