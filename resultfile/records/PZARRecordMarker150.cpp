#include "resultfile/records/PZARRecordMarker150.h"

#include "base/File.h"
#include "base/FileException.h"
#include "resultfile/RecordFactory.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/RecordBodyReader.h"
#include "resultfile/records/RecordEcho.h"
#include "resultfile/records/RecordIO.h"

namespace {

const CPZARRecordRegistrar<CPZARRecordSubcase_150> s_subcase(PZAR_RECORD_TYPE::SUBCASE,
                                                             PZAR_RECORD_VER::VER_150);
const CPZARRecordRegistrar<CPZARRecordResultType_150> s_resultType(PZAR_RECORD_TYPE::RESULT_TYPE,
                                                                   PZAR_RECORD_VER::VER_150);

// The heading framed by separators, then an empty line pair.
bool EchoHeading(FILE* pFile, const wchar_t* heading) {
  using pzar_echo::Echo;
  using pzar_echo::kSep;
  return Echo(pFile, kSep) && Echo(pFile, heading) && Echo(pFile, kSep) && Echo(pFile, L"\n") &&
         Echo(pFile, L"\n");
}

}  // namespace

std::int32_t CPZARRecordSubcase::GetType() const { return kType; }

int CPZARRecordSubcase::_Scan(CFile& file) {
  try {
    std::int64_t position = 0;
    return pzar_body::Read(*this, file, position) ? 1 : 0;
  } catch (const CFileException& e) {
    wchar_t message[255];
    e.GetErrorMessage(message, 255);
    return 0;
  }
}

int CPZARRecordSubcase::_WriteEcho(FILE* pFile) {
  return EchoHeading(pFile, L"END OF SUBCASE POSITION                     \n");
}

std::int32_t CPZARRecordResultType_150::GetType() const { return kType; }

int CPZARRecordResultType_150::_WriteEcho(FILE* pFile) {
  return EchoHeading(pFile, L"RESULT TYPE                                 \n");
}
