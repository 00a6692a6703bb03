#pragma once
// IBM fatigue analysis (type 10009): the fatigue settings of one grid part.
#include <array>
#include <cstdint>

#include "resultfile/PZARRecord.h"

struct TMPUFatD;

class CPZARRecordIBMFatigue : public CPZARRecord {
public:
  std::int32_t GetType() const override;

  std::int32_t GetPartID() const { return m_nPartID; }
  std::int32_t GetMatID() const { return m_nMatID; }
  std::int32_t GetSequivalent() const { return m_nSequivalent; }
  const std::array<std::int32_t, 3>& GetMSCType() const { return m_aMSCType; }
  double GetInfiniteLife() const { return m_rInfiniteLife; }
  double GetTotalCycle() const { return m_rTotalCycle; }

  void GetData(TMPUFatD* pData) const;

protected:
  int _Scan(CFile& file) override;
  int _WriteEcho(FILE* pFile) override;

private:
  std::int32_t m_nPartID = 0;
  std::int32_t m_nMatID = 0;
  std::int32_t m_nSequivalent = 0;
  std::array<std::int32_t, 3> m_aMSCType{};
  double m_rInfiniteLife = 0.0;
  double m_rTotalCycle = 0.0;
};

class CPZARRecordIBMFatigue_130 final : public CPZARRecordIBMFatigue {};
class CPZARRecordIBMFatigue_140 final : public CPZARRecordIBMFatigue {};
