#pragma once
// IBM fatigue analysis (type 10009): the fatigue settings of one grid part.
#include <array>
#include <cstdint>

#include "ibm/MPURecords.h"
#include "qve_pvk_export.h"
#include "resultfile/PZARRecord.h"
#include "resultfile/records/PZARRecordVersions.h"

class PVK_API CPZARRecordIBMFatigue : public CPZARRecord {
public:
  static constexpr std::int32_t kType = PZAR_RECORD_TYPE::IBM_FATIGUE;
  std::int32_t GetType() const override;

  std::int32_t GetPartID() const { return m_data.m_nPartID; }
  std::int32_t GetMatID() const { return m_data.m_nMatID; }
  std::int32_t GetSequivalent() const { return m_data.m_nSequivalent; }
  const std::array<std::int32_t, 3>& GetMSCType() const { return m_data.m_aMSCType; }
  double GetInfiniteLife() const { return m_data.m_rInfiniteLife; }
  double GetTotalCycle() const { return m_data.m_rTotalCycle; }

  void GetData(TMPUFatD* pData) const;

protected:
  int _Scan(CFile& file) override;
  int _WriteEcho(FILE* pFile) override;
  static int WriteBody(IRecordD* pData);

private:
  // The body is exactly what the mesh post unit keeps of a fatigue analysis.
  TMPUFatD m_data;
};

// What a writer hands the version-140 record.
class PVK_API CRecordIBMFatigueD : public IRecordD {
public:
  using IRecordD::IRecordD;

  TMPUFatD m_data;
};

using CPZARRecordIBMFatigue_130 = TPZARRecordReadOnly<CPZARRecordIBMFatigue>;
using CPZARRecordIBMFatigue_140 = TPZARRecord_140<CPZARRecordIBMFatigue>;
