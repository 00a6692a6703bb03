#pragma once
// The two IBM records that carry a plain id list: the fixed design domain grid ids of a
// topology optimization (type 10010, its count in the body) and the property ids of a PCB
// post-processing (type 10016, its count in the header id).
#include <cstdint>

#include "base/Containers.h"
#include "resultfile/PZARRecord.h"

class CPZARRecordIBMIDArray : public CPZARRecord {
public:
  const zar::MArray<std::int32_t>& GetIDs() const { return m_aIDs; }
  void GetData(zar::MArray<std::int32_t>& out) const { out = m_aIDs; }

protected:
  int ReadIDs(CFile& file, std::int32_t count);
  // The ids, one a line.
  void EchoIDs(FILE* pFile) const;

private:
  zar::MArray<std::int32_t> m_aIDs;
};

class CPZARRecordIBMOptimize : public CPZARRecordIBMIDArray {
public:
  std::int32_t GetType() const override;
  std::int32_t GetNumPart() const { return m_nNumPart; }

protected:
  int _Scan(CFile& file) override;
  int _WriteEcho(FILE* pFile) override;

private:
  std::int32_t m_nNumPart = 0;
};

class CPZARRecordIBMPCB : public CPZARRecordIBMIDArray {
public:
  std::int32_t GetType() const override;

protected:
  int _Scan(CFile& file) override;
  int _WriteEcho(FILE* pFile) override;
};

class CPZARRecordIBMOptimize_130 final : public CPZARRecordIBMOptimize {};
class CPZARRecordIBMOptimize_140 final : public CPZARRecordIBMOptimize {};
class CPZARRecordIBMPCB_130 final : public CPZARRecordIBMPCB {};
class CPZARRecordIBMPCB_140 final : public CPZARRecordIBMPCB {};
