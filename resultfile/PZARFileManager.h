#pragma once
// The result file manager of PZAR files (".TKVP"): each file is scanned together with the
// solver's text output beside it.
#include <cstdint>

#include "session/ResultFileManager.h"

class CPZARFileManager : public CResultFileManager {
public:
  explicit CPZARFileManager(IPOHSession* pSession) : CResultFileManager(pSession) {}
  ~CPZARFileManager() override;

  // 1 when ".TKVP" occurs anywhere but at the very start of the path, ignoring case.
  int ValidateExtension(const CString& upperPath) const override;
  // Without a wait cursor; the caller shows one.
  IPostFile* AddFile(const CString& path, std::uint64_t key) override;
  IPostFile* AddFile(const CString& path) override;

private:
  // The scanned file, now held by the manager; null when it is missing or fails its scan.
  IPostFile* ScanAndAppend(const CString& path);
};
