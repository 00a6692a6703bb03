#include "resultfile/records/PZARRecordIBMGridMatl.h"

#include "ibm/MPURecords.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/RecordBodyReader.h"
#include "resultfile/records/RecordEcho.h"
#include "resultfile/records/RecordIO.h"

namespace {

using PZAR_RECORD_TYPE::IBM_GRID_MATL;
const TPZARRecordRegistrar_130_140<CPZARRecordIBMGridMatl> s_reg(IBM_GRID_MATL);

}  // namespace

std::int32_t CPZARRecordIBMGridMatl::GetType() const { return kType; }

int CPZARRecordIBMGridMatl::_Scan(CFile& file) {
  TMPUMatD& d = m_data;
  if (!pzar_body::Read(*this, file, d.m_nPartID, d.m_rE, d.m_rNu, d.m_nMatType, d.m_nRyield,
                       d.m_nWkhard, d.m_rCombined, d.m_nForm, d.m_rY0, d.m_rTableXMin,
                       d.m_rTableXMax, m_nNumTable))
    return 0;
  return pzar_body::ReadArray(*this, file, m_nNumTable, d.m_aTable);
}

int CPZARRecordIBMGridMatl::WriteBody(IRecordD* pData) {
  const auto* p = dynamic_cast<const CRecordIBMGridMatlD*>(pData);
  if (!p || !p->GetFile() || p->m_data.m_aTable.size() > INT32_MAX) return 0;
  const TMPUMatD& d = p->m_data;
  const auto count = static_cast<std::int32_t>(d.m_aTable.size());
  CFile& file = *p->GetFile();
  pzar_record::WriteFields(file, d.m_nPartID, d.m_rE, d.m_rNu, d.m_nMatType, d.m_nRyield,
                           d.m_nWkhard, d.m_rCombined, d.m_nForm, d.m_rY0, d.m_rTableXMin,
                           d.m_rTableXMax, count);
  pzar_record::WriteArray(file, d.m_aTable);
  return 1;
}

double CPZARRecordIBMGridMatl::GetTableX(std::int32_t i) const {
  const TMPUMatD& d = m_data;
  if (m_nNumTable < 2) return d.m_rTableXMin;
  return d.m_rTableXMin + (d.m_rTableXMax - d.m_rTableXMin) * i / (m_nNumTable - 1);
}

int CPZARRecordIBMGridMatl::_WriteEcho(FILE* pFile) {
  const TMPUMatD& d = m_data;
  pzar_echo::Title(pFile, L"IBM GRID MATERIAL INFORMATION               \n");
  pzar_echo::Echo(pFile, L"PartID\t: %5d\n", d.m_nPartID);
  pzar_echo::Echo(pFile, L"E\t\t\t: %8g\n", d.m_rE);
  pzar_echo::Echo(pFile, L"Nu\t\t: %8g\n", d.m_rNu);
  pzar_echo::Echo(pFile, L"MatType\t: %5d\n", d.m_nMatType);
  pzar_echo::Echo(pFile, L"Ryield\t: %5d\n", d.m_nRyield);
  pzar_echo::Echo(pFile, L"Wkhard\t: %5d\n", d.m_nWkhard);
  pzar_echo::Echo(pFile, L"Combined\t: %8g\n", d.m_rCombined);
  pzar_echo::Echo(pFile, L"Form\t\t: %5d\n", d.m_nForm);
  pzar_echo::Echo(pFile, L"Y0\t\t: %8g\n", d.m_rY0);
  pzar_echo::Echo(pFile, L"TableXMin : %8g\n", d.m_rTableXMin);
  pzar_echo::Echo(pFile, L"TableXMax : %8g\n", d.m_rTableXMax);
  pzar_echo::Echo(pFile, L"NumTable\t: %5d\n", m_nNumTable);
  for (std::size_t i = 0; i < d.m_aTable.size(); ++i) {
    const auto idx = static_cast<std::int32_t>(i);
    pzar_echo::Echo(pFile, L"(%5d) TableX, TableY : %8g, %8g\n", idx, GetTableX(idx),
                    d.m_aTable[i]);
  }
  return 1;
}

void CPZARRecordIBMGridMatl::GetData(TMPUMatD* pData) const { *pData = m_data; }
