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

int CIDListRecord::AddVector(CPZARRecord* pVector) {
  m_aVectors.push_back(pVector);
  return 1;
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
const CPZARRecordRegistrar<CIDListRecord> s_nodes(PZAR_RECORD_TYPE::NODE_ID_LIST, VER_130);
const CPZARRecordRegistrar<CIDListRecord> s_elems(PZAR_RECORD_TYPE::ELEM_ID_LIST, VER_130);
const CPZARRecordRegistrar<CSkipRecord> s_outputSet(PZAR_RECORD_TYPE::OUTPUT_SET, VER_130);
const CPZARRecordRegistrar<CVectorRecord> s_vector(PZAR_RECORD_TYPE::VECTOR, VER_130);
const CPZARRecordRegistrar<CSkipRecord> s_solver(PZAR_RECORD_TYPE::SOLVER_INFO, VER_130);

}  // namespace

}  // namespace pzar_test
