#include "resultfile/records/PZARRecordIBMFatigue.h"

#include "ibm/MPURecords.h"
#include "resultfile/RecordFactory.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/RecordBodyReader.h"
#include "resultfile/records/RecordEcho.h"

namespace {

using PZAR_RECORD_TYPE::IBM_FATIGUE;
const CPZARRecordRegistrar<CPZARRecordIBMFatigue_130> s_reg130(IBM_FATIGUE,
                                                               PZAR_RECORD_VER::VER_130);
const CPZARRecordRegistrar<CPZARRecordIBMFatigue_140> s_reg140(IBM_FATIGUE,
                                                               PZAR_RECORD_VER::VER_140);

}  // namespace

std::int32_t CPZARRecordIBMFatigue::GetType() const { return IBM_FATIGUE; }

int CPZARRecordIBMFatigue::_Scan(CFile& file) {
  return pzar_body::Read(file, m_data.m_nPartID, m_data.m_nMatID, m_data.m_nSequivalent,
                         m_data.m_aMSCType[0], m_data.m_aMSCType[1], m_data.m_aMSCType[2],
                         m_data.m_rInfiniteLife, m_data.m_rTotalCycle);
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
