#pragma once
// The result file manager of PZAR files (".TKVP"): each file is scanned together with the
// solver's text output beside it.
#include <cstdint>

#include "qve_pvk_export.h"
#include "resultfile/PZARFile.h"
#include "session/ResultFileManager.h"

class PVK_API CPZARFileManager : public CResultFileManager {
public:
  explicit CPZARFileManager(IPOHSession* pSession) : CResultFileManager(pSession) {}
  ~CPZARFileManager() override;

  // 1 when ".TKVP" occurs anywhere but at the very start of the path, ignoring case.
  int ValidateExtension(const CString& upperPath) const override;
  // Without a wait cursor; the caller shows one.
  IPostFile* AddFile(const CString& path, std::uint64_t key) override;
  IPostFile* AddFile(const CString& path) override;

  // Why the scan of the last file that AddFile refused failed: the file object is gone, its
  // reasons stay here until the next AddFile. Empty when the last AddFile scanned its file.
  const CPZARFile::TScanReasonList& GetRefusalReasons() const { return m_aRefusalReasons; }

private:
  // The scanned file, now held by the manager; null when it is missing or fails its scan.
  IPostFile* ScanAndAppend(const CString& path);

  CPZARFile::TScanReasonList m_aRefusalReasons;
};
