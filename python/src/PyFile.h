#pragma once
// A result file opened from Python and the handles into its case tree. Every handle shares
// the file; once the file is closed, a handle refuses to reach into the session.
#include <pybind11/pybind11.h>

#include <cstdint>
#include <memory>
#include <string>

#include "PvkSession.h"

class CVResult;

namespace pvk_py {

class CPyFile {
public:
  // Throws CPvkError when the file cannot be opened.
  explicit CPyFile(const std::string& path) : m_pSession(std::make_unique<CPvkSession>(path)) {}
  // Throws ValueError once the file is closed.
  CPvkSession& Session() const;
  void Close() { m_pSession.reset(); }
  bool Closed() const { return !m_pSession; }

private:
  std::unique_ptr<CPvkSession> m_pSession;
};

using TFileRef = std::shared_ptr<CPyFile>;

struct TPySubcase {
  TFileRef file;
  std::uint64_t scas = 0;
  std::int32_t number = 0;  // from 1, as --subcase takes it
};

struct TPyStep {
  TFileRef file;
  std::uint64_t scas = 0, vcas = 0;
  std::int32_t subcase = 0, number = 0;  // from 1, as --subcase and --step take them
};

struct TPyResult {
  TPyStep step;
  CVResult* pResult = nullptr;  // not owned: the session's
  // Throws ValueError once the file is closed.
  CVResult& Get() const {
    step.file->Session();
    return *pResult;
  }
};

}  // namespace pvk_py
