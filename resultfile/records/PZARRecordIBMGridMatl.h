#pragma once
// IBM grid material (type 10012): the elastic constants of a grid part and its hardening
// table, whose values lie evenly from TableXMin to TableXMax.
#include <cstdint>

#include "base/Containers.h"
#include "ibm/MPURecords.h"
#include "qve_pvk_export.h"
#include "resultfile/PZARRecord.h"
#include "resultfile/records/PZARRecordVersions.h"

class PVK_API CPZARRecordIBMGridMatl : public CPZARRecord {
public:
  static constexpr std::int32_t kType = PZAR_RECORD_TYPE::IBM_GRID_MATL;
  std::int32_t GetType() const override;

  std::int32_t GetPartID() const { return m_data.m_nPartID; }
  double GetE() const { return m_data.m_rE; }
  double GetNu() const { return m_data.m_rNu; }
  std::int32_t GetMatType() const { return m_data.m_nMatType; }
  std::int32_t GetRyield() const { return m_data.m_nRyield; }
  std::int32_t GetWkhard() const { return m_data.m_nWkhard; }
  double GetCombined() const { return m_data.m_rCombined; }
  std::int32_t GetForm() const { return m_data.m_nForm; }
  double GetY0() const { return m_data.m_rY0; }
  double GetTableXMin() const { return m_data.m_rTableXMin; }
  double GetTableXMax() const { return m_data.m_rTableXMax; }
  std::int32_t GetNumTable() const { return m_nNumTable; }
  const zar::MArray<double>& GetTable() const { return m_data.m_aTable; }
  // The abscissa of table entry i.
  double GetTableX(std::int32_t i) const;

  void GetData(TMPUMatD* pData) const;

protected:
  int _Scan(CFile& file) override;
  int _WriteEcho(FILE* pFile) override;
  static int WriteBody(IRecordD* pData);

private:
  // The body is exactly what the mesh post unit keeps of a grid material.
  TMPUMatD m_data;
  std::int32_t m_nNumTable = 0;
};

// What a writer hands the version-140 record: NumTable is the table's size.
class PVK_API CRecordIBMGridMatlD : public IRecordD {
public:
  using IRecordD::IRecordD;

  TMPUMatD m_data;
};

using CPZARRecordIBMGridMatl_130 = TPZARRecordReadOnly<CPZARRecordIBMGridMatl>;
using CPZARRecordIBMGridMatl_140 = TPZARRecord_140<CPZARRecordIBMGridMatl>;
