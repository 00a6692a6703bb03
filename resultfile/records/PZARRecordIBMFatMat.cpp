#include "resultfile/records/PZARRecordIBMFatMat.h"

#include "resultfile/RecordTypes.h"
#include "resultfile/records/RecordBodyReader.h"
#include "resultfile/records/RecordEcho.h"
#include "resultfile/records/RecordIO.h"

namespace {

using PZAR_RECORD_TYPE::IBM_FAT_MAT;
const TPZARRecordRegistrar_130_140<CPZARRecordIBMFatMat> s_reg(IBM_FAT_MAT);

}  // namespace

std::int32_t CPZARRecordIBMFatMat::GetType() const { return kType; }

int CPZARRecordIBMFatMat::_Scan(CFile& file) {
  using pzar_body::Read;
  if (!Read(*this, file, m_nMatID, m_nNumFatResult)) return 0;
  for (int i = 0; i < 3; ++i)
    if (!Read(*this, file, m_aStrRangeLower[i], m_aStrRangeUpper[i])) return 0;
  // All three curves are checked before the first is allocated.
  if (m_nNumFatResult > 0 &&
      !HasBytesLeft(file, 3 * static_cast<std::uint64_t>(m_nNumFatResult) * sizeof(double)))
    return 0;
  for (auto& curve : m_aResultData)
    if (!pzar_body::ReadArray(*this, file, m_nNumFatResult, curve)) return 0;
  return 1;
}

// Curves of unequal length have no point count that would read them back.
int CPZARRecordIBMFatMat::WriteBody(IRecordD* pData) {
  const auto* p = dynamic_cast<const CRecordIBMFatMatD*>(pData);
  if (!p || !p->GetFile()) return 0;
  const TMPUFatMatD& d = p->m_data;
  const std::size_t n = d.m_aTable[0].size();
  if (n > INT32_MAX || d.m_aTable[1].size() != n || d.m_aTable[2].size() != n) return 0;
  CFile& file = *p->GetFile();
  pzar_record::WriteFields(file, d.m_nMatID, static_cast<std::int32_t>(n));
  for (int i = 0; i < 3; ++i) pzar_record::WriteFields(file, d.m_aLower[i], d.m_aUpper[i]);
  for (const auto& curve : d.m_aTable) pzar_record::WriteArray(file, curve);
  return 1;
}

int CPZARRecordIBMFatMat::_WriteEcho(FILE* pFile) {
  pzar_echo::Title(pFile, L"FATIGUE MATERIAL INFORMATION                \n");
  pzar_echo::Echo(pFile, L"MatlD\t\t\t: %d\n", m_nMatID);
  pzar_echo::Echo(pFile, L"NumFatResult\t: %d\n", m_nNumFatResult);
  for (int i = 0; i < 3; ++i)
    pzar_echo::Echo(pFile, L"StrRange[%d]\t: %8g, %8g\n", i, m_aStrRangeLower[i],
                    m_aStrRangeUpper[i]);
  pzar_echo::Echo(pFile, L"ResultData : %d\n", m_nNumFatResult);
  for (std::size_t i = 0; i < m_aResultData[0].size(); ++i)
    pzar_echo::Echo(pFile, L"%8g, %8g, %8g\n", m_aResultData[0][i], m_aResultData[1][i],
                    m_aResultData[2][i]);
  return 1;
}

void CPZARRecordIBMFatMat::GetData(TMPUFatMatD* pData) const {
  pData->m_nMatID = m_nMatID;
  pData->m_nPointCnt = static_cast<std::int32_t>(m_aResultData[0].size());
  pData->m_aLower = m_aStrRangeLower;
  pData->m_aUpper = m_aStrRangeUpper;
  pData->m_aTable = m_aResultData;
}
