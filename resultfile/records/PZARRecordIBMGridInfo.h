#pragma once
// IBM grid information (type 10006): the regular grid of one part. The header id is the frame
// kind: 1 for a grid in global axes, any other value for local axes.
#include <array>
#include <cstdint>

#include "qve_pvk_export.h"
#include "resultfile/PZARRecord.h"
#include "resultfile/records/PZARRecordVersions.h"

struct TMPUBndrD;

// The body of the record, as read and as written.
struct PVK_API TIBMGridInfo {
  using TVec3 = std::array<double, 3>;

  std::int32_t m_nPartID = 0;
  std::int32_t m_nElemOrder = 2;
  std::int32_t m_nNidStart = 1;
  std::array<std::int32_t, 3> m_aNumber{};
  TVec3 m_aMinimum{};
  TVec3 m_aMaximum{};
  TVec3 m_aLocalOrigin{};
  TVec3 m_aLocalZ{};
  TVec3 m_aLocalXZ{};
};

class PVK_API CPZARRecordIBMGridInfo : public CPZARRecord, private TIBMGridInfo {
public:
  static constexpr std::int32_t kType = PZAR_RECORD_TYPE::IBM_GRID_INFO;
  using TIBMGridInfo::TVec3;

  std::int32_t GetType() const override;

  bool IsGlobal() const { return GetHeader().id == 1; }
  std::int32_t GetPartID() const { return m_nPartID; }
  std::int32_t GetElemOrder() const { return m_nElemOrder; }
  std::int32_t GetNidStart() const { return m_nNidStart; }
  const std::array<std::int32_t, 3>& GetNumber() const { return m_aNumber; }
  const TVec3& GetMinimum() const { return m_aMinimum; }
  const TVec3& GetMaximum() const { return m_aMaximum; }
  const TVec3& GetLocalOrigin() const { return m_aLocalOrigin; }
  const TVec3& GetLocalZ() const { return m_aLocalZ; }
  const TVec3& GetLocalXZ() const { return m_aLocalXZ; }

  // Grid points and cells; a quadratic cell spans two point intervals per axis, and a count
  // of 0 gives an empty grid. 0, with both sizes 0, for a damaged grid: a negative count, or
  // more points than a signed 32-bit count holds.
  int GetNodeElemSize(std::int32_t& nodes, std::int32_t& elems) const;
  void GetData(TMPUBndrD* pData) const;

protected:
  int _Scan(CFile& file) override;
  int _WriteEcho(FILE* pFile) override;
  static int WriteBody(IRecordD* pData);
};

// What a writer hands the version-140 record; the writer puts m_nFrame into the header id.
class PVK_API CRecordIBMGridInfoD : public IRecordD, public TIBMGridInfo {
public:
  using IRecordD::IRecordD;

  std::int32_t m_nFrame = 1;  // 1: global axes; otherwise the local axes are written too
};

using CPZARRecordIBMGridInfo_130 = TPZARRecordReadOnly<CPZARRecordIBMGridInfo>;
using CPZARRecordIBMGridInfo_140 = TPZARRecord_140<CPZARRecordIBMGridInfo>;
