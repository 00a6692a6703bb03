#pragma once
// IBM fatigue material (type 10008): three fatigue curves over a common point count, each with
// its stress range.
#include <array>
#include <cstdint>

#include "base/Containers.h"
#include "ibm/MPURecords.h"
#include "qve_pvk_export.h"
#include "resultfile/PZARRecord.h"
#include "resultfile/records/PZARRecordVersions.h"

class PVK_API CPZARRecordIBMFatMat : public CPZARRecord {
public:
  static constexpr std::int32_t kType = PZAR_RECORD_TYPE::IBM_FAT_MAT;
  std::int32_t GetType() const override;

  std::int32_t GetMatID() const { return m_nMatID; }
  std::int32_t GetNumFatResult() const { return m_nNumFatResult; }
  // The first and second members of the three stress range pairs.
  const std::array<double, 3>& GetStrRangeLower() const { return m_aStrRangeLower; }
  const std::array<double, 3>& GetStrRangeUpper() const { return m_aStrRangeUpper; }
  const zar::MArray<double>& GetResultData(std::size_t curve) const { return m_aResultData[curve]; }

  void GetData(TMPUFatMatD* pData) const;

protected:
  int _Scan(CFile& file) override;
  int _WriteEcho(FILE* pFile) override;
  static int WriteBody(IRecordD* pData);

private:
  std::int32_t m_nMatID = 0;
  std::int32_t m_nNumFatResult = 0;
  std::array<double, 3> m_aStrRangeLower{};
  std::array<double, 3> m_aStrRangeUpper{};
  std::array<zar::MArray<double>, 3> m_aResultData;
};

// What a writer hands the version-140 record: the point count is the curves' common size.
class PVK_API CRecordIBMFatMatD : public IRecordD {
public:
  using IRecordD::IRecordD;

  TMPUFatMatD m_data;
};

using CPZARRecordIBMFatMat_130 = TPZARRecordReadOnly<CPZARRecordIBMFatMat>;
using CPZARRecordIBMFatMat_140 = TPZARRecord_140<CPZARRecordIBMFatMat>;
