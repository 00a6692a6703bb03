#include "resultfile/records/PZARRecordIBMIDArray.h"

#include "resultfile/RecordTypes.h"
#include "resultfile/records/RecordBodyReader.h"
#include "resultfile/records/RecordEcho.h"
#include "resultfile/records/RecordIO.h"

namespace {

using PZAR_RECORD_TYPE::IBM_OPTIMIZE;
using PZAR_RECORD_TYPE::IBM_PCB;
const TPZARRecordRegistrar_130_140<CPZARRecordIBMOptimize> s_opt(IBM_OPTIMIZE);
const TPZARRecordRegistrar_130_140<CPZARRecordIBMPCB> s_pcb(IBM_PCB);

}  // namespace

int CPZARRecordIBMIDArray::ReadIDs(CFile& file, std::int32_t count) {
  return pzar_body::ReadArray(*this, file, count, m_aIDs);
}

void CPZARRecordIBMIDArray::EchoIDs(FILE* pFile) const {
  for (const std::int32_t id : m_aIDs) pzar_echo::Echo(pFile, L"%d\n", id);
}

int CPZARRecordIBMIDArray::WriteIDs(IRecordD* pData, bool withCount) {
  const auto* p = dynamic_cast<const CRecordIBMIDArrayD*>(pData);
  if (!p || !p->GetFile() || p->m_aIDs.size() > INT32_MAX) return 0;
  if (withCount) pzar_record::WriteInt(*p->GetFile(), static_cast<std::int32_t>(p->m_aIDs.size()));
  pzar_record::WriteArray(*p->GetFile(), p->m_aIDs);
  return 1;
}

std::int32_t CPZARRecordIBMOptimize::GetType() const { return kType; }

int CPZARRecordIBMOptimize::_Scan(CFile& file) {
  return pzar_body::Read(*this, file, m_nNumPart) && ReadIDs(file, m_nNumPart);
}

int CPZARRecordIBMOptimize::_WriteEcho(FILE* pFile) {
  pzar_echo::Title(pFile, L"Fixed Design Domain Grid IDs (for IBM Topology Optimization\n");
  pzar_echo::Echo(pFile, L"NumPart\t\t: %d\n", m_nNumPart);
  pzar_echo::Echo(pFile, L"ResultData : \n");
  EchoIDs(pFile);
  return 1;
}

std::int32_t CPZARRecordIBMPCB::GetType() const { return kType; }

int CPZARRecordIBMPCB::_Scan(CFile& file) { return ReadIDs(file, GetHeader().id); }

int CPZARRecordIBMPCB::_WriteEcho(FILE* pFile) {
  pzar_echo::Title(pFile, L"PROPERTY ID MAP FOR PCB POST\t\t\t\t  \n");
  pzar_echo::Echo(pFile, L"Num Property IDs : %d\n", GetHeader().id);
  EchoIDs(pFile);
  return 1;
}
