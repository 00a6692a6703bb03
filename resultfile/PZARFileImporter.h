#pragma once
// Drives the import of one scanned result file through the helper of its format version.
#include <array>
#include <cstdint>
#include <memory>

#include "base/Containers.h"
#include "qve_pvk_export.h"
#include "resultfile/PZARFileImportHelper.h"
#include "resultfile/RecordVersion.h"

class PVK_API CPZARFileImporter {
public:
  // Formats 140 and 150 share a helper; another version gets none and imports nothing.
  CPZARFileImporter(PZAR_RECORD_VER::E_VER version, std::int32_t fileType);
  ~CPZARFileImporter();
  CPZARFileImporter(const CPZARFileImporter&) = delete;
  CPZARFileImporter& operator=(const CPZARFileImporter&) = delete;

  void Initialize(TPostImportInfo* pInfo);
  void Import();
  std::uint64_t CreatePOHMcas();
  int CreatePOHMcas_without_DBOperation(CPOHMcas* pMcas);
  void GetVolumeData(zar::MArray<char>* pNodeFlags, zar::MArray<char>* pCellFlags) const;
  void GetFacetNodeData(zar::MArray<int>* pIDs, zar::MArray<zar::MVector<double, 3>>* pPos) const;
  void GetFacetElemData(zar::MArray<int>* pA, zar::MArray<int>* pB, zar::MArray<int>* pC,
                        zar::MArray<int>* pD) const;

private:
  std::unique_ptr<IPZARFileImportHelper> m_pHelper;
};
