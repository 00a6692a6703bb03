#include "resultfile/records/PZARRecordOutputSet.h"

#include "base/File.h"
#include "resultfile/PZARFile.h"
#include "resultfile/RecordFactory.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/RecordBodyReader.h"
#include "resultfile/records/RecordEcho.h"
#include "resultfile/records/RecordIO.h"

namespace {

constexpr unsigned kTitleWidth = 80;
// Where the solver wants the set value shown in a title.
constexpr const wchar_t* kValueMarker = L"\x1b|0|0|1|\x1b";

const TPZARRecordRegistrar_130_140<CPZARRecordOutputSet> s_reg(PZAR_RECORD_TYPE::OUTPUT_SET);

}  // namespace

std::int32_t CPZARRecordOutputSet::GetType() const { return kType; }

int CPZARRecordOutputSet::_Scan(CFile& file) {
  const CPZARFile* pFile = GetFile();
  const std::int32_t width = pFile ? pFile->GetFloatSize() : 8;
  const auto body = static_cast<std::uint64_t>(width) + kTitleWidth + 2 * sizeof(std::int32_t);
  if (!HasBytesLeft(file, body)) return 0;
  if (!pzar_body::ReadReal(*this, file, width, m_rSetValue) ||
      !pzar_body::Read(*this, file, m_nAnalType)) {
    return 0;
  }
  ReadString(file, kTitleWidth, m_strTitle);
  std::int32_t reserved = 0;
  if (!pzar_body::Read(*this, file, reserved)) return 0;
  CompleteTitle();
  return 1;
}

void CPZARRecordOutputSet::CompleteTitle() {
  const int at = m_strTitle.Find(kValueMarker);
  if (at < 0) return;
  const CString prefix = m_strTitle.Left(at);
  m_strTitle.Format(L"%s%.3e)", prefix, m_rSetValue);
}

int CPZARRecordOutputSet::_WriteEcho(FILE* pFile) {
  using pzar_echo::Echo;
  using pzar_echo::kSep;
  return Echo(pFile, kSep) && Echo(pFile, L"OUTPUT SET  : %s\n", m_strTitle) && Echo(pFile, kSep) &&
         Echo(pFile, L"m_rSetValue : %g\n", m_rSetValue) && Echo(pFile, L"\n\n");
}

int CPZARRecordOutputSet::WriteBody(IRecordD* pData) {
  const auto* pSet = dynamic_cast<const CRecordOutputSetD*>(pData);
  if (!pSet || !pSet->GetFile() || !pSet->m_pSetValue) return 0;
  CFile& file = *pSet->GetFile();
  file.Write(pSet->m_pSetValue, pSet->m_nRealWidth == 8 ? 8u : 4u);
  pzar_record::WriteInt(file, pSet->m_nAnalType);
  pzar_record::WriteText(file, pSet->m_strTitle, kTitleWidth);
  pzar_record::WriteInt(file, 0);
  return 1;
}
