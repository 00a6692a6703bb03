#include "resultfile/records/PZARRecordSolverInfo.h"

#include "base/ConvertString.h"
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
// The encoding type that marks UTF-8 texts; any other marks the system code page.
constexpr std::int32_t kEncodingTypeUtf8 = 1;
constexpr std::uint64_t kBodySize = kNameWidth + kText8Width + kText5Width + 6 * 4;

const TPZARRecordRegistrar_130_140<CPZARRecordSolverInfo> s_reg(PZAR_RECORD_TYPE::SOLVER_INFO);

}  // namespace

std::int32_t CPZARRecordSolverInfo::GetType() const { return kType; }

std::int32_t CPZARRecordSolverInfo::GetEncodingCodePage() const {
  return static_cast<std::int32_t>(m_nEncodingType == kEncodingTypeUtf8 ? CP_UTF8 : CP_ACP);
}

bool CPZARRecordSolverInfo::EncodeUnit(zar::lib::E_UNIT_KIND kind, std::int32_t index,
                                       std::int32_t& stored) {
  if (!zar::lib::FindUnitDef(kind, index)) return false;
  stored = index == 0 ? 0 : index + 1;
  return true;
}

bool CPZARRecordSolverInfo::DecodeUnit(zar::lib::E_UNIT_KIND kind, std::int32_t stored,
                                       std::int32_t& index) {
  if (stored < 0) return false;
  index = stored == 0 ? 0 : stored - 1;
  return zar::lib::FindUnitDef(kind, index) != nullptr;
}

int CPZARRecordSolverInfo::_Scan(CFile& file) {
  using namespace zar::lib;
  if (!HasBytesLeft(file, kBodySize)) return 0;
  ReadString(file, kNameWidth, m_strSolverName);
  // The solver's date and time texts are not used.
  file.Seek(kText8Width + kText5Width, CFile::current);
  std::int32_t reserved = 0;
  std::int32_t stored[4] = {};  // length, force, energy, time
  if (!pzar_body::Read(*this, file, m_nEncodingType, reserved, stored)) return 0;
  // A unit outside the tables would convert every value of the file wrongly.
  if (!DecodeUnit(UNIT_LENGTH, stored[0], m_unitIndex.nLength) ||
      !DecodeUnit(UNIT_FORCE, stored[1], m_unitIndex.nForce) ||
      !DecodeUnit(UNIT_ENERGY, stored[2], m_unitIndex.nEnergy) ||
      !DecodeUnit(UNIT_TIME, stored[3], m_unitIndex.nTime))
    return RefuseContent(L"a unit code lies outside the unit tables");
  // Every text read after this record uses its encoding.
  if (CPZARFile* pFile = GetFile()) pFile->SetEncodingCodePage(GetEncodingCodePage());
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
  using namespace zar::lib;
  const auto* pInfo = dynamic_cast<const CRecordSolverInfoD*>(pData);
  std::int32_t stored[4] = {};
  if (!pInfo || !pInfo->GetFile() || !EncodeUnit(UNIT_LENGTH, pInfo->m_nLength, stored[0]) ||
      !EncodeUnit(UNIT_FORCE, pInfo->m_nForce, stored[1]) ||
      !EncodeUnit(UNIT_ENERGY, pInfo->m_nEnergy, stored[2]) ||
      !EncodeUnit(UNIT_TIME, pInfo->m_nTime, stored[3]))
    return 0;
  CFile& file = *pInfo->GetFile();
  pzar_record::WriteText(file, pInfo->m_strSolverName, kNameWidth);
  pzar_record::WriteText(file, pInfo->m_strText8, kText8Width);
  pzar_record::WriteText(file, pInfo->m_strText5, kText5Width);
  pzar_record::WriteInt(
      file, static_cast<unsigned>(pInfo->m_nCodePage) == CP_UTF8 ? kEncodingTypeUtf8 : 0);
  pzar_record::WriteInt(file, pInfo->m_nReserved);
  pzar_record::WriteFields(file, stored);
  return 1;
}
