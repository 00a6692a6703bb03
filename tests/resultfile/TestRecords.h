#pragma once
// Record classes that the result file tests register with the factory. Each reports the type
// of its header, so one class can stand for several record types.
#include <cstdint>
#include <vector>

#include "resultfile/PZARRecord.h"

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

// The body of a data vector record (type 14) with `count` values of the file's real width:
// a data type, and direction 2 (a line-element component) when lineElem is set.
std::vector<char> VectorBody(std::int32_t dataType, std::int32_t lineElem = 0,
                             std::int32_t count = 1, int width = 8);

}  // namespace pzar_test
