#pragma once
// Record classes that the result file tests register with the factory. Each reports the type
// of its header, so one class can stand for several record types.
#include <cstdint>
#include <vector>

#include "resultfile/PZARRecord.h"
#include "resultfile/PZARVectorRegistry.h"

namespace pzar_test {

// Types registered for all three versions at load.
constexpr std::int32_t kSkipType = 9001;    // body: header id bytes, skipped unchecked
constexpr std::int32_t kFailType = 9002;    // body: 4 bytes, scan always fails
constexpr std::int32_t kBody16Type = 9003;  // body: 16 bytes, read

class CSkipRecord : public CPZARRecord {
public:
  std::int32_t GetType() const override { return GetHeader().type; }

protected:
  // Deliberately careless, as a record of a damaged file may be: skips by the header id
  // whatever its sign or size. The file's scan must stay sound.
  int _Scan(CFile& file) override;
  int _WriteEcho(FILE* pFile) override;
};

class CFailRecord : public CSkipRecord {
protected:
  int _Scan(CFile& file) override;
};

class CBody16Record : public CSkipRecord {
public:
  const char* Body() const { return m_body; }

protected:
  int _Scan(CFile& file) override;

private:
  char m_body[16] = {};
};

// Stands for a data vector (type 14). Body: its data type and line-element flag, two
// integers (VectorBody).
class CVectorRecord : public CSkipRecord, public IPZARSequencedVector {
public:
  void SetVectorSeqNo(std::int32_t seqNo) override { m_nSeqNo = seqNo; }
  std::int32_t GetVectorSeqNo() const override { return m_nSeqNo; }
  std::int32_t GetVectorDataType() const override { return m_nDataType; }
  int IsLineElemComp() const override { return m_nLineElem; }

protected:
  int _Scan(CFile& file) override;

private:
  std::int32_t m_nSeqNo = 0;
  std::int32_t m_nDataType = 0;
  std::int32_t m_nLineElem = 0;
};

std::vector<char> VectorBody(std::int32_t dataType, std::int32_t lineElem = 0);

}  // namespace pzar_test
