#pragma once
// Record classes that the result file tests register with the factory. Each reports the type
// of its header, so one class can stand for several record types.
#include <cstdint>
#include <string>
#include <vector>

#include "PZARTestFile.h"
#include "resultfile/PZARRecord.h"
#include "resultfile/records/PZARResultInfo.h"

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

// A vector record body: the information, the range -7.5 to 9.25, the name and the values, all
// reals in the file's width.
PZARBody VectorBody(const TPZARResultInts& ints, int width = 8,
                    const std::vector<double>& values = {}, const std::string& name = "");

}  // namespace pzar_test
