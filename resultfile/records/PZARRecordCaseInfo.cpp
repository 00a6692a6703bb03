#include "resultfile/records/PZARRecordCaseInfo.h"

#include "base/ConvertString.h"
#include "base/File.h"
#include "resultfile/RecordFactory.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/RecordBodyReader.h"
#include "resultfile/records/RecordEcho.h"
#include "resultfile/records/RecordIO.h"

namespace {

constexpr unsigned kTitleWidth = 80;

const TPZARRecordRegistrar_130_140<CPZARRecordCaseInfo> s_reg(PZAR_RECORD_TYPE::CASE_INFO);

}  // namespace

std::int32_t CPZARRecordCaseInfo::GetType() const { return kType; }

int CPZARRecordCaseInfo::_Scan(CFile& file) {
  if (!HasBytesLeft(file, sizeof(std::int32_t) + kTitleWidth)) return 0;
  if (!pzar_body::Read(*this, file, m_nAnalType)) return 0;
  // The solver writes this title in UTF-8 whatever the file's code page.
  ReadStringToANSI(file, kTitleWidth, m_strTitle);
  return 1;
}

int CPZARRecordCaseInfo::_WriteEcho(FILE* pFile) {
  using pzar_echo::Echo;
  using pzar_echo::kSep;
  return Echo(pFile, kSep) && Echo(pFile, L"CASE INFO : %s\n", m_strTitle) && Echo(pFile, kSep) &&
         Echo(pFile, L"\n\n");
}

int CPZARRecordCaseInfo::WriteBody(IRecordD* pData) {
  const auto* pCase = dynamic_cast<const CRecordCaseInfoD*>(pData);
  if (!pCase || !pCase->GetFile()) return 0;
  pzar_record::WriteInt(*pCase->GetFile(), pCase->m_nAnalType);
  // The title is read as UTF-8, so it is written so, whatever the system code page.
  pzar_record::WriteText(*pCase->GetFile(), pCase->m_strTitle, kTitleWidth, CP_UTF8);
  return 1;
}
