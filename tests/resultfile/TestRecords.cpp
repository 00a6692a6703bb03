#include "TestRecords.h"

#include <cwchar>

#include "PZARTestFile.h"
#include "base/File.h"
#include "resultfile/RecordFactory.h"

namespace pzar_test {

using PZAR_RECORD_VER::VER_130;
using PZAR_RECORD_VER::VER_140;
using PZAR_RECORD_VER::VER_150;

int CSkipRecord::_Scan(CFile& file) {
  file.Seek(GetHeader().id, CFile::current);
  return 1;
}

int CSkipRecord::_WriteEcho(FILE* pFile) {
  return std::fwprintf(pFile, L"RECORD %d : %d\n", GetHeader().type, GetHeader().id) > 0;
}

int CFailRecord::_Scan(CFile& file) {
  char body[4];
  file.Read(body, sizeof(body));
  return 0;
}

int CBody16Record::_Scan(CFile& file) {
  return file.Read(m_body, sizeof(m_body)) == sizeof(m_body);
}

std::vector<char> VectorBody(std::int32_t dataType, std::int32_t lineElem, std::int32_t count,
                             int width) {
  PZARBody body;
  body.Int(dataType).Int(0);
  for (int i = 0; i < 8; ++i) body.Int(0);
  body.Int(lineElem ? 2 : 0).Int(0).Int(0).Int(0).Real(0.0, width).Real(0.0, width).Text("", 80);
  for (std::int32_t i = 0; i < count; ++i) body.Real(i + 0.5, width);
  return body;
}

namespace {

// All three version maps exist before any test runs, as they do once the library's record
// classes are registered, so that the factory's fallback set is the same in every test order.
const CPZARRecordRegistrar<CSkipRecord> s_skip130(kSkipType, VER_130);
const CPZARRecordRegistrar<CSkipRecord> s_skip140(kSkipType, VER_140);
const CPZARRecordRegistrar<CSkipRecord> s_skip150(kSkipType, VER_150);
const CPZARRecordRegistrar<CFailRecord> s_fail130(kFailType, VER_130);
const CPZARRecordRegistrar<CBody16Record> s_body130(kBody16Type, VER_130);
const CPZARRecordRegistrar<CBody16Record> s_body140(kBody16Type, VER_140);

}  // namespace

}  // namespace pzar_test
