#include "resultfile/records/PZARRecordSolverInfo.h"

#include "base/File.h"
#include "resultfile/PZARFile.h"
#include "resultfile/RecordFactory.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/RecordBodyReader.h"
#include "resultfile/records/RecordEcho.h"
#include "resultfile/records/RecordIO.h"

namespace {

constexpr unsigned kNameWidth = 29;
constexpr unsigned kText8Width = 8;
constexpr unsigned kText5Width = 5;
constexpr std::int32_t kUtf8 = 65001;
constexpr std::uint64_t kBodySize = kNameWidth + kText8Width + kText5Width + 6 * 4;

const TPZARRecordRegistrar_130_140<CPZARRecordSolverInfo> s_reg(PZAR_RECORD_TYPE::SOLVER_INFO);

}  // namespace

std::int32_t CPZARRecordSolverInfo::GetType() const { return PZAR_RECORD_TYPE::SOLVER_INFO; }

std::int32_t CPZARRecordSolverInfo::GetEncodingCodePage() const {
  return m_nEncodingType == 1 ? kUtf8 : 0;
}

int CPZARRecordSolverInfo::_Scan(CFile& file) {
  if (!HasBytesLeft(file, kBodySize)) return 0;
  ReadString(file, kNameWidth, m_strSolverName);
  // The solver's date and time texts are not used.
  file.Seek(kText8Width + kText5Width, CFile::current);
  if (!pzar_body::Read(file, m_nEncodingType)) return 0;
  // Every text read after this record uses its encoding.
  if (CPZARFile* pFile = GetFile()) pFile->SetEncodingCodePage(GetEncodingCodePage());
  std::int32_t reserved = 0;
  std::int32_t stored[4] = {};  // length, force, energy, time
  if (!pzar_body::Read(file, reserved, stored)) return 0;
  m_unitIndex.nLength = DecodeUnit(stored[0]);
  m_unitIndex.nForce = DecodeUnit(stored[1]);
  m_unitIndex.nEnergy = DecodeUnit(stored[2]);
  m_unitIndex.nTime = DecodeUnit(stored[3]);
  return 1;
}

int CPZARRecordSolverInfo::_WriteEcho(FILE* pFile) {
  using pzar_echo::Echo;
  using pzar_echo::kSep;
  return Echo(pFile, kSep) && Echo(pFile, L"Solver Info (%s)\n", m_strSolverName) &&
         Echo(pFile, L"Encoding Type: %d\n", m_nEncodingType) &&
         Echo(pFile, L"Length: %d\n", m_unitIndex.nLength) &&
         Echo(pFile, L"Force: %d\n", m_unitIndex.nForce) &&
         Echo(pFile, L"Energy: %d\n", m_unitIndex.nEnergy) &&
         Echo(pFile, L"Time: %d\n", m_unitIndex.nTime) && Echo(pFile, kSep) && Echo(pFile, L"\n\n");
}

int CPZARRecordSolverInfo::WriteBody(IRecordD* pData) {
  const auto* pInfo = dynamic_cast<const CRecordSolverInfoD*>(pData);
  if (!pInfo || !pInfo->GetFile()) return 0;
  CFile& file = *pInfo->GetFile();
  pzar_record::WriteText(file, pInfo->m_strSolverName, kNameWidth);
  pzar_record::WriteText(file, pInfo->m_strText8, kText8Width);
  pzar_record::WriteText(file, pInfo->m_strText5, kText5Width);
  pzar_record::WriteInt(file, pInfo->m_nCodePage == kUtf8 ? 1 : 0);
  pzar_record::WriteInt(file, pInfo->m_nReserved);
  for (std::int32_t index : {pInfo->m_nLength, pInfo->m_nForce, pInfo->m_nEnergy, pInfo->m_nTime}) {
    pzar_record::WriteInt(file, EncodeUnit(index));
  }
  return 1;
}
