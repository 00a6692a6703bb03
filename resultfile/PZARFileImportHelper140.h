#pragma once
// The import of format-140 and format-150 files: result types, concurrent nodal vectors,
// entity case information, and the volume and facet data of the implicit-boundary grids.
#include <map>

#include "qve_pvk_export.h"
#include "resultfile/PZARFileImportHelper130.h"

class CPZARRecordIDList;

class PVK_API CPZARFileImportHelper_140 : public CPZARFileImportHelper_130 {
public:
  using CPZARFileImportHelper_130::CPZARFileImportHelper_130;

  void MakeVolumeData() override;
  void MakeFacetData() override;

protected:
  void GetRecord() override;
  int GetOutputSet(CPZARRecord* pRecord) override;
  int GetOutputVector_Node(CPZARRecordVector* pVector) override;

private:
  void GetResultType(CPZARRecord* pRecord);
  void GetConcNodalVector(CPZARRecord* pRecord);
  void GetEntityCaseInfo(CPZARRecord* pRecord);

  std::int32_t m_nResultType = 1;
  CPZARRecordIDList* m_pResIDList = nullptr;  // not owned
  // The entity case information sets of the step by category.
  std::map<std::int32_t, CPostDSet*> m_mapStepCaseInfo;
};
