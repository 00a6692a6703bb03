#pragma once
// What the import of one scanned result file works with; not kept beyond the import.
#include <cstdint>

class CPZARFile;
class IPOHSession;
class IPreDBLinker;

struct TPostImportInfo {
  IPOHSession* pSession = nullptr;  // not owned
  IPreDBLinker* pLinker = nullptr;  // not owned; may be null
  CPZARFile* pFile = nullptr;       // not owned
  std::uint64_t nDBItr = 0;         // the host's result item, 0 for none
};
