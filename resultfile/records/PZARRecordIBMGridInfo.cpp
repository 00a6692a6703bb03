#include "resultfile/records/PZARRecordIBMGridInfo.h"

#include <algorithm>
#include <limits>

#include "base/Containers.h"
#include "ibm/MPURecords.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/RecordBodyReader.h"
#include "resultfile/records/RecordEcho.h"
#include "resultfile/records/RecordIO.h"

namespace {

using PZAR_RECORD_TYPE::IBM_GRID_INFO;
const TPZARRecordRegistrar_130_140<CPZARRecordIBMGridInfo> s_reg(IBM_GRID_INFO);

using TVec = zar::MVector<double, 3>;

TVec ToVec(const std::array<double, 3>& a) { return {{a[0], a[1], a[2]}}; }

bool ReadVec(const CPZARRecord& record, CFile& file, std::array<double, 3>& v) {
  return pzar_body::Read(record, file, v[0], v[1], v[2]);
}

void EchoVec(FILE* pFile, const wchar_t* label, const std::array<double, 3>& v) {
  pzar_echo::Echo(pFile, L"%ls : %8g, %8g, %8g\n", label, v[0], v[1], v[2]);
}

}  // namespace

std::int32_t CPZARRecordIBMGridInfo::GetType() const { return kType; }

int CPZARRecordIBMGridInfo::_Scan(CFile& file) {
  using pzar_body::Read;
  if (!Read(*this, file, m_nPartID, m_nElemOrder, m_nNidStart, m_aNumber[0], m_aNumber[1],
            m_aNumber[2]))
    return 0;
  if (!ReadVec(*this, file, m_aMinimum) || !ReadVec(*this, file, m_aMaximum)) return 0;
  if (IsGlobal()) return 1;
  return ReadVec(*this, file, m_aLocalOrigin) && ReadVec(*this, file, m_aLocalZ) &&
         ReadVec(*this, file, m_aLocalXZ);
}

int CPZARRecordIBMGridInfo::_WriteEcho(FILE* pFile) {
  pzar_echo::Title(pFile, L"GRID INFO FOR IMPLICIT BOUNDARY METHOD\t  \n");
  pzar_echo::Echo(pFile, L"PART_ID : %d\n", m_nPartID);
  pzar_echo::Echo(pFile, L"ELEM_ORDER : %d\n", m_nElemOrder);
  pzar_echo::Echo(pFile, L"NID_START : %d\n", m_nNidStart);
  pzar_echo::Echo(pFile, L"NUMBER  : %8d, %8d, %8d\n", m_aNumber[0], m_aNumber[1], m_aNumber[2]);
  EchoVec(pFile, L"MINIMUM", m_aMinimum);
  EchoVec(pFile, L"MAXIMUM", m_aMaximum);
  if (!IsGlobal()) {
    EchoVec(pFile, L"LOCAL ORIGIN", m_aLocalOrigin);
    EchoVec(pFile, L"LOCAL Z     ", m_aLocalZ);
    EchoVec(pFile, L"LOCAL XZ    ", m_aLocalXZ);
  }
  return pzar_echo::Echo(pFile, L"\n\n");
}

int CPZARRecordIBMGridInfo::WriteBody(IRecordD* pData) {
  const auto* p = dynamic_cast<const CRecordIBMGridInfoD*>(pData);
  if (!p || !p->GetFile()) return 0;
  CFile& file = *p->GetFile();
  pzar_record::WriteFields(file, p->m_nPartID, p->m_nElemOrder, p->m_nNidStart, p->m_aNumber,
                           p->m_aMinimum, p->m_aMaximum);
  if (p->m_nFrame != 1) {
    pzar_record::WriteFields(file, p->m_aLocalOrigin, p->m_aLocalZ, p->m_aLocalXZ);
  }
  return 1;
}

int CPZARRecordIBMGridInfo::GetNodeElemSize(std::int32_t& nodes, std::int32_t& elems) const {
  nodes = 0;
  elems = 0;
  if (std::any_of(m_aNumber.begin(), m_aNumber.end(), [](std::int32_t n) { return n < 0; }))
    return 0;
  const std::int64_t k = m_nElemOrder == 1 ? 1 : 2;
  std::int64_t n = 1;
  std::int64_t e = 1;
  for (const std::int32_t count : m_aNumber) {
    // Both factors are below 2^31, so the product cannot overflow before it is checked.
    n *= count;
    if (n > std::numeric_limits<std::int32_t>::max()) return 0;
    e *= count > 0 ? (count - 1) / k : 0;  // never above n
  }
  nodes = static_cast<std::int32_t>(n);
  elems = static_cast<std::int32_t>(e);
  return 1;
}

// The grid frame: the box from MINIMUM to MAXIMUM, divided evenly into the grid points. A
// local grid's box lies in the local axes, reached by moving to the local origin and rotating.
void CPZARRecordIBMGridInfo::GetData(TMPUBndrD* pData) const {
  pData->m_nElemOrder = m_nElemOrder == 1 ? 1 : 2;
  pData->m_nAlign = IsGlobal() ? 1 : 0;
  pData->m_nPartID = m_nPartID;
  pData->m_nNidStart = m_nNidStart;
  pData->m_aNumber = m_aNumber;
  pData->m_aOrigin = m_aMinimum;
  pData->m_aStep = {};
  for (int i = 0; i < 3; ++i) {
    pData->m_aExtent[i] = m_aMaximum[i] - m_aMinimum[i];
    if (m_aNumber[i] > 1) pData->m_aStep[i][i] = pData->m_aExtent[i] / (m_aNumber[i] - 1);
  }
  if (IsGlobal()) return;
  pData->m_aOrigin2 = m_aLocalOrigin;
  TVec z = ToVec(m_aLocalZ);
  z.Normalize();
  TVec y = z.Cross(ToVec(m_aLocalXZ));
  y.Normalize();
  const TVec x = y.Cross(z);
  pData->m_aRot = {{x.v, y.v, z.v}};
}
