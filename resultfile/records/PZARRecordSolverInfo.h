#pragma once
// Solver information (type 100): the solver's name, the text encoding of the records that
// follow, and the unit system of the results.
#include <cstdint>

#include "base/CString.h"
#include "base/Time.h"
#include "base/UnitDimension.h"
#include "base/UnitIndex.h"
#include "qve_pvk_export.h"
#include "resultfile/PZARRecord.h"
#include "resultfile/records/PZARRecordVersions.h"

class PVK_API CPZARRecordSolverInfo : public CPZARRecord {
public:
  static constexpr std::int32_t kType = PZAR_RECORD_TYPE::SOLVER_INFO;
  std::int32_t GetType() const override;
  const CString& GetSolverName() const { return m_strSolverName; }
  // Never filled from the file: the solver's date and time texts are not parsed.
  CTime GetSolverTime() const { return m_tSolverTime; }
  zar::lib::T_UNIT_INDEX GetUnitIndex() const { return m_unitIndex; }
  // CP_UTF8 for UTF-8 texts, else CP_ACP (the system code page).
  virtual std::int32_t GetEncodingCodePage() const;

  // A unit index is stored as 0 for index 0 and index + 1 otherwise; a stored 1 reads as 0.
  // Both are false for an index outside the unit table of its kind.
  static bool EncodeUnit(zar::lib::E_UNIT_KIND kind, std::int32_t index, std::int32_t& stored);
  static bool DecodeUnit(zar::lib::E_UNIT_KIND kind, std::int32_t stored, std::int32_t& index);

protected:
  int _Scan(CFile& file) override;
  int _WriteEcho(FILE* pFile) override;
  static int WriteBody(IRecordD* pData);

private:
  CString m_strSolverName;
  std::int32_t m_nEncodingType = 0;
  CTime m_tSolverTime;
  // Temperature is not stored in the file: it stays at 0 (C).
  zar::lib::T_UNIT_INDEX m_unitIndex{
      .nForce = 2, .nLength = 0, .nTemperature = 0, .nTime = 0, .nEnergy = 2};
};

// What a writer hands the version-140 record.
class PVK_API CRecordSolverInfoD : public IRecordD {
public:
  using IRecordD::IRecordD;

  CString m_strSolverName;
  CString m_strText8;
  CString m_strText5;
  std::int32_t m_nCodePage = 0;
  std::int32_t m_nReserved = 0;
  std::int32_t m_nLength = 0;
  std::int32_t m_nForce = 0;
  std::int32_t m_nEnergy = 0;
  std::int32_t m_nTime = 0;
};

using CPZARRecordSolverInfo_130 = TPZARRecordReadOnly<CPZARRecordSolverInfo>;
using CPZARRecordSolverInfo_140 = TPZARRecord_140<CPZARRecordSolverInfo>;
