#include "resultfile/records/PZARRecordIBMIDArray.h"

#include "resultfile/RecordFactory.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/RecordBodyReader.h"
#include "resultfile/records/RecordEcho.h"

namespace {

using PZAR_RECORD_TYPE::IBM_OPTIMIZE;
using PZAR_RECORD_TYPE::IBM_PCB;
using PZAR_RECORD_VER::VER_130;
using PZAR_RECORD_VER::VER_140;
const CPZARRecordRegistrar<CPZARRecordIBMOptimize_130> s_opt130(IBM_OPTIMIZE, VER_130);
const CPZARRecordRegistrar<CPZARRecordIBMOptimize_140> s_opt140(IBM_OPTIMIZE, VER_140);
const CPZARRecordRegistrar<CPZARRecordIBMPCB_130> s_pcb130(IBM_PCB, VER_130);
const CPZARRecordRegistrar<CPZARRecordIBMPCB_140> s_pcb140(IBM_PCB, VER_140);

}  // namespace

int CPZARRecordIBMIDArray::ReadIDs(CFile& file, std::int32_t count) {
  return pzar_body::ReadArray(file, count, m_aIDs);
}

void CPZARRecordIBMIDArray::EchoIDs(FILE* pFile) const {
  for (const std::int32_t id : m_aIDs) pzar_echo::Echo(pFile, L"%d\n", id);
}

std::int32_t CPZARRecordIBMOptimize::GetType() const { return IBM_OPTIMIZE; }

int CPZARRecordIBMOptimize::_Scan(CFile& file) {
  return pzar_body::Read(file, m_nNumPart) && ReadIDs(file, m_nNumPart);
}

int CPZARRecordIBMOptimize::_WriteEcho(FILE* pFile) {
  pzar_echo::Title(pFile, L"Fixed Design Domain Grid IDs (for IBM Topology Optimization\n");
  pzar_echo::Echo(pFile, L"NumPart\t\t: %d\n", m_nNumPart);
  pzar_echo::Echo(pFile, L"ResultData : \n");
  EchoIDs(pFile);
  return 1;
}

std::int32_t CPZARRecordIBMPCB::GetType() const { return IBM_PCB; }

int CPZARRecordIBMPCB::_Scan(CFile& file) { return ReadIDs(file, GetHeader().id); }

int CPZARRecordIBMPCB::_WriteEcho(FILE* pFile) {
  pzar_echo::Title(pFile, L"PROPERTY ID MAP FOR PCB POST\t\t\t\t  \n");
  pzar_echo::Echo(pFile, L"Num Property IDs : %d\n", GetHeader().id);
  EchoIDs(pFile);
  return 1;
}
