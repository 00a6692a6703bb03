#pragma once
// IBM grid material (type 10012): the elastic constants of a grid part and its hardening
// table, whose values lie evenly from TableXMin to TableXMax.
#include <cstdint>

#include "base/Containers.h"
#include "resultfile/PZARRecord.h"

struct TMPUMatD;

class CPZARRecordIBMGridMatl : public CPZARRecord {
public:
  std::int32_t GetType() const override;

  std::int32_t GetPartID() const { return m_nPartID; }
  double GetE() const { return m_rE; }
  double GetNu() const { return m_rNu; }
  std::int32_t GetMatType() const { return m_nMatType; }
  std::int32_t GetRyield() const { return m_nRyield; }
  std::int32_t GetWkhard() const { return m_nWkhard; }
  double GetCombined() const { return m_rCombined; }
  std::int32_t GetForm() const { return m_nForm; }
  double GetY0() const { return m_rY0; }
  double GetTableXMin() const { return m_rTableXMin; }
  double GetTableXMax() const { return m_rTableXMax; }
  std::int32_t GetNumTable() const { return m_nNumTable; }
  const zar::MArray<double>& GetTable() const { return m_aTable; }
  // The abscissa of table entry i.
  double GetTableX(std::int32_t i) const;

  void GetData(TMPUMatD* pData) const;

protected:
  int _Scan(CFile& file) override;
  int _WriteEcho(FILE* pFile) override;

private:
  std::int32_t m_nPartID = 0;
  double m_rE = 0.0;
  double m_rNu = 0.0;
  std::int32_t m_nMatType = 0;
  std::int32_t m_nRyield = 0;
  std::int32_t m_nWkhard = 0;
  double m_rCombined = 0.0;
  std::int32_t m_nForm = 0;
  double m_rY0 = 0.0;
  double m_rTableXMin = 0.0;
  double m_rTableXMax = 0.0;
  std::int32_t m_nNumTable = 0;
  zar::MArray<double> m_aTable;
};

class CPZARRecordIBMGridMatl_130 final : public CPZARRecordIBMGridMatl {};
class CPZARRecordIBMGridMatl_140 final : public CPZARRecordIBMGridMatl {};
