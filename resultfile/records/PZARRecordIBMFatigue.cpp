#include "resultfile/records/PZARRecordIBMFatigue.h"

#include "ibm/MPURecords.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/RecordBodyReader.h"
#include "resultfile/records/RecordEcho.h"
#include "resultfile/records/RecordIO.h"

namespace {

using PZAR_RECORD_TYPE::IBM_FATIGUE;
const TPZARRecordRegistrar_130_140<CPZARRecordIBMFatigue> s_reg(IBM_FATIGUE);

}  // namespace

std::int32_t CPZARRecordIBMFatigue::GetType() const { return kType; }

int CPZARRecordIBMFatigue::_Scan(CFile& file) {
  return pzar_body::Read(*this, file, m_data.m_nPartID, m_data.m_nMatID, m_data.m_nSequivalent,
                         m_data.m_aMSCType[0], m_data.m_aMSCType[1], m_data.m_aMSCType[2],
                         m_data.m_rInfiniteLife, m_data.m_rTotalCycle);
}

int CPZARRecordIBMFatigue::WriteBody(IRecordD* pData) {
  const auto* p = dynamic_cast<const CRecordIBMFatigueD*>(pData);
  if (!p || !p->GetFile()) return 0;
  const TMPUFatD& d = p->m_data;
  pzar_record::WriteFields(*p->GetFile(), d.m_nPartID, d.m_nMatID, d.m_nSequivalent, d.m_aMSCType,
                           d.m_rInfiniteLife, d.m_rTotalCycle);
  return 1;
}

int CPZARRecordIBMFatigue::_WriteEcho(FILE* pFile) {
  pzar_echo::Title(pFile, L"FATIGUE ANALYSIS INFORMATION                \n");
  pzar_echo::Echo(pFile, L"PartID\t\t: %d\n", m_data.m_nPartID);
  pzar_echo::Echo(pFile, L"MatID\t\t\t: %d\n", m_data.m_nMatID);
  pzar_echo::Echo(pFile, L"Sequivalent\t: %d\n", m_data.m_nSequivalent);
  pzar_echo::Echo(pFile, L"MSCType\t\t: %d, %d, %d\n", m_data.m_aMSCType[0], m_data.m_aMSCType[1],
                  m_data.m_aMSCType[2]);
  pzar_echo::Echo(pFile, L"InfiniteLife\t: %8g\n", m_data.m_rInfiniteLife);
  pzar_echo::Echo(pFile, L"TotalCycle\t: %8g\n", m_data.m_rTotalCycle);
  return 1;
}

void CPZARRecordIBMFatigue::GetData(TMPUFatD* pData) const { *pData = m_data; }
