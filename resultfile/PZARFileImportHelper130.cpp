#include "resultfile/PZARFileImportHelper130.h"

#include "base/FileCtrl.h"
#include "base/ValidAddress.h"
#include "core/ModelDBLink.h"
#include "resultfile/PZARFile.h"
#include "resultfile/records/PZARRecordVector.h"
#include "session/POHMcas.h"
#include "session/POHPoolBase.h"
#include "session/POHTypes.h"

std::uint64_t CPZARFileImportHelper_130::CreatePOHMcas() {
  if (!m_info.pSession || !m_info.pFile) return 0;
  const CString path = m_info.pFile->GetFile().GetFilePath();
  CString name;
  if (!path.IsEmpty() && zar::lib::MFileCtrl::IsFileExist(path)) {
    name = zar::lib::MFileCtrl::GetFileTitle(path);
  } else if (m_info.nDBItr && m_info.pLinker &&
             zar::IsValidAddress(reinterpret_cast<const void*>(m_info.nDBItr), 1)) {
    name = m_info.pLinker->GetItemName(m_info.nDBItr);
  } else {
    return 0;
  }
  zar::lib::T_UNIT_INDEX unit;
  unit.nForce = 2;
  unit.nLength = 0;
  unit.nTime = 0;
  unit.nEnergy = 2;
  GetSolverUnitIndex(&unit);

  m_nMcas = Pool(pvk::POH_LEVEL_MCAS).Add();
  auto* pMcas = static_cast<CPOHMcas*>(Pool(pvk::POH_LEVEL_MCAS).GetAt(m_nMcas));
  if (!pMcas) return m_nMcas = 0;
  pMcas->SetName(name);
  pMcas->SetResultFilePath(path);
  pMcas->SetParent(0);
  pMcas->SetDBIterator(m_info.nDBItr);
  pMcas->SetUnitIndex(&unit);
  pMcas->SetPreDBLinker(m_info.pLinker);
  return m_nMcas;
}

void CPZARFileImportHelper_130::GetRecord() {
  m_info.pFile->InitAllRecordFlags();
  for (const auto& pRecord : m_info.pFile->GetRecordList()) DispatchCommon(pRecord.get());
  ReleaseRecordFlags();
}

int CPZARFileImportHelper_130::GetOutputVector_Node(CPZARRecordVector* pVector) {
  return AddNodeComp(pVector) ? 1 : 0;
}

int CPZARFileImportHelper_130::GetOutputVector_ElemCenter(CPZARRecordVector* pVector) {
  if (pVector->GetVectorDataType() != 1 || !m_pElemIDList) return 0;
  return AddElemOutVector(pVector, m_mapElemDSet);
}
