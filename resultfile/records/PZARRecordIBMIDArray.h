#pragma once
// The two IBM records that carry a plain id list: the fixed design domain grid ids of a
// topology optimization (type 10010, its count in the body) and the property ids of a PCB
// post-processing (type 10016, its count in the header id).
#include <cstdint>

#include "base/Containers.h"
#include "qve_pvk_export.h"
#include "resultfile/PZARRecord.h"
#include "resultfile/records/PZARRecordVersions.h"

class PVK_API CPZARRecordIBMIDArray : public CPZARRecord {
public:
  const zar::MArray<std::int32_t>& GetIDs() const { return m_aIDs; }
  void GetData(zar::MArray<std::int32_t>& out) const { out = m_aIDs; }

protected:
  int ReadIDs(CFile& file, std::int32_t count);
  // The ids, one a line.
  void EchoIDs(FILE* pFile) const;
  // The ids of a CRecordIBMIDArrayD, after their count when withCount is set.
  static int WriteIDs(IRecordD* pData, bool withCount);

private:
  zar::MArray<std::int32_t> m_aIDs;
};

class PVK_API CPZARRecordIBMOptimize : public CPZARRecordIBMIDArray {
public:
  static constexpr std::int32_t kType = PZAR_RECORD_TYPE::IBM_OPTIMIZE;
  std::int32_t GetType() const override;
  std::int32_t GetNumPart() const { return m_nNumPart; }

protected:
  int _Scan(CFile& file) override;
  int _WriteEcho(FILE* pFile) override;
  static int WriteBody(IRecordD* pData) { return WriteIDs(pData, true); }

private:
  std::int32_t m_nNumPart = 0;
};

// The writer puts the count into the header id.
class PVK_API CPZARRecordIBMPCB : public CPZARRecordIBMIDArray {
public:
  static constexpr std::int32_t kType = PZAR_RECORD_TYPE::IBM_PCB;
  std::int32_t GetType() const override;

protected:
  int _Scan(CFile& file) override;
  int _WriteEcho(FILE* pFile) override;
  static int WriteBody(IRecordD* pData) { return WriteIDs(pData, false); }
};

// What a writer hands the version-140 records of both kinds.
class PVK_API CRecordIBMIDArrayD : public IRecordD {
public:
  using IRecordD::IRecordD;

  zar::MArray<std::int32_t> m_aIDs;
};

using CPZARRecordIBMOptimize_130 = TPZARRecordReadOnly<CPZARRecordIBMOptimize>;
using CPZARRecordIBMOptimize_140 = TPZARRecord_140<CPZARRecordIBMOptimize>;
using CPZARRecordIBMPCB_130 = TPZARRecordReadOnly<CPZARRecordIBMPCB>;
using CPZARRecordIBMPCB_140 = TPZARRecord_140<CPZARRecordIBMPCB>;
