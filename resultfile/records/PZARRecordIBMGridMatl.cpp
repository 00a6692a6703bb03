#include "resultfile/records/PZARRecordIBMGridMatl.h"

#include "ibm/MPURecords.h"
#include "resultfile/RecordFactory.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/RecordBodyReader.h"
#include "resultfile/records/RecordEcho.h"

namespace {

using PZAR_RECORD_TYPE::IBM_GRID_MATL;
const CPZARRecordRegistrar<CPZARRecordIBMGridMatl_130> s_reg130(IBM_GRID_MATL,
                                                                PZAR_RECORD_VER::VER_130);
const CPZARRecordRegistrar<CPZARRecordIBMGridMatl_140> s_reg140(IBM_GRID_MATL,
                                                                PZAR_RECORD_VER::VER_140);

}  // namespace

std::int32_t CPZARRecordIBMGridMatl::GetType() const { return IBM_GRID_MATL; }

int CPZARRecordIBMGridMatl::_Scan(CFile& file) {
  using pzar_body::Read;
  if (!Read(file, m_nPartID, m_rE, m_rNu, m_nMatType, m_nRyield, m_nWkhard, m_rCombined, m_nForm,
            m_rY0, m_rTableXMin, m_rTableXMax, m_nNumTable))
    return 0;
  return pzar_body::ReadArray(file, m_nNumTable, m_aTable);
}

double CPZARRecordIBMGridMatl::GetTableX(std::int32_t i) const {
  if (m_nNumTable < 2) return m_rTableXMin;
  return m_rTableXMin + (m_rTableXMax - m_rTableXMin) * i / (m_nNumTable - 1);
}

int CPZARRecordIBMGridMatl::_WriteEcho(FILE* pFile) {
  pzar_echo::Title(pFile, L"IBM GRID MATERIAL INFORMATION               \n");
  pzar_echo::Echo(pFile, L"PartID\t: %5d\n", m_nPartID);
  pzar_echo::Echo(pFile, L"E\t\t\t: %8g\n", m_rE);
  pzar_echo::Echo(pFile, L"Nu\t\t: %8g\n", m_rNu);
  pzar_echo::Echo(pFile, L"MatType\t: %5d\n", m_nMatType);
  pzar_echo::Echo(pFile, L"Ryield\t: %5d\n", m_nRyield);
  pzar_echo::Echo(pFile, L"Wkhard\t: %5d\n", m_nWkhard);
  pzar_echo::Echo(pFile, L"Combined\t: %8g\n", m_rCombined);
  pzar_echo::Echo(pFile, L"Form\t\t: %5d\n", m_nForm);
  pzar_echo::Echo(pFile, L"Y0\t\t: %8g\n", m_rY0);
  pzar_echo::Echo(pFile, L"TableXMin : %8g\n", m_rTableXMin);
  pzar_echo::Echo(pFile, L"TableXMax : %8g\n", m_rTableXMax);
  pzar_echo::Echo(pFile, L"NumTable\t: %5d\n", m_nNumTable);
  for (std::size_t i = 0; i < m_aTable.size(); ++i) {
    const auto idx = static_cast<std::int32_t>(i);
    pzar_echo::Echo(pFile, L"(%5d) TableX, TableY : %8g, %8g\n", idx, GetTableX(idx), m_aTable[i]);
  }
  return 1;
}

void CPZARRecordIBMGridMatl::GetData(TMPUMatD* pData) const {
  pData->m_nPartID = m_nPartID;
  pData->m_rE = m_rE;
  pData->m_rNu = m_rNu;
  pData->m_nMatType = m_nMatType;
  pData->m_nRyield = m_nRyield;
  pData->m_nWkhard = m_nWkhard;
  pData->m_rCombined = m_rCombined;
  pData->m_nForm = m_nForm;
  pData->m_rY0 = m_rY0;
  pData->m_rTableXMin = m_rTableXMin;
  pData->m_rTableXMax = m_rTableXMax;
  pData->m_aTable = m_aTable;
}
