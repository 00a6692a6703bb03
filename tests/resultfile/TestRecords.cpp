#include "TestRecords.h"

#include <cwchar>

#include "base/File.h"
#include "resultfile/RecordFactory.h"
#include "resultfile/RecordTypes.h"

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

int CVectorRecord::_Scan(CFile& file) {
  std::int32_t body[2] = {};
  if (file.Read(body, sizeof(body)) != sizeof(body)) return 0;
  m_nDataType = body[0];
  m_nLineElem = body[1];
  return 1;
}

std::vector<char> VectorBody(std::int32_t dataType, std::int32_t lineElem) {
  const std::int32_t body[2] = {dataType, lineElem};
  const auto* bytes = reinterpret_cast<const char*>(body);
  return std::vector<char>(bytes, bytes + sizeof(body));
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
// Until the library has its own data vector records.
const CPZARRecordRegistrar<CVectorRecord> s_vector(PZAR_RECORD_TYPE::VECTOR, VER_130);

}  // namespace

}  // namespace pzar_test
