#pragma once
// The import of format-130 files; the later formats build on it.
#include "qve_pvk_export.h"
#include "resultfile/PZARFileImportHelper.h"

class PVK_API CPZARFileImportHelper_130 : public IPZARFileImportHelper {
public:
  using IPZARFileImportHelper::IPZARFileImportHelper;

  std::uint64_t CreatePOHMcas() override;

protected:
  void GetRecord() override;
  int GetOutputVector_Node(CPZARRecordVector* pVector) override;
  int GetOutputVector_ElemCenter(CPZARRecordVector* pVector) override;
};
