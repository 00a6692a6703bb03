#include "TestRecords.h"

#include "base/File.h"
#include "resultfile/RecordFactory.h"
#include "resultfile/records/RecordEcho.h"

namespace pzar_test {

using PZAR_RECORD_VER::VER_130;
using PZAR_RECORD_VER::VER_140;
using PZAR_RECORD_VER::VER_150;

int CSkipRecord::_Scan(CFile& file) {
  file.Seek(GetHeader().id, CFile::current);
  return 1;
}

int CSkipRecord::_WriteEcho(FILE* pFile) {
  return pzar_echo::Echo(pFile, L"RECORD %d : %d\n", GetHeader().type, GetHeader().id);
}

int CFailRecord::_Scan(CFile& file) {
  char body[4];
  file.Read(body, sizeof(body));
  return 0;
}

int CBody16Record::_Scan(CFile& file) {
  return file.Read(m_body, sizeof(m_body)) == sizeof(m_body);
}

PZARBody VectorBody(const TPZARResultInts& ints, int width, const std::vector<double>& values,
                    const std::string& name) {
  PZARBody body;
  body.Raw(&ints, sizeof(ints)).Real(-7.5, width).Real(9.25, width).Text(name, 80);
  for (const double v : values) body.Real(v, width);
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
