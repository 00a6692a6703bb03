#include "resultfile/PZARFile.h"

#include <algorithm>
#include <limits>

#include "core/ModelDBLink.h"
#include "ibm/MeshPostUnit.h"
#include "resultfile/PZARVectorRegistry.h"
#include "resultfile/RecordTypes.h"

CPZARFile::CPZARFile() = default;

CPZARFile::~CPZARFile() = default;

int CPZARFile::DeleteFileW() {
  try {
    const CString path = m_file.GetFilePath();
    Clear();
    CFile::Remove(path);
    return 1;
  } catch (const CFileException&) {
    return 0;
  }
}

void CPZARFile::Clear() {
  m_aElemOutVectors.clear();
  m_aRecords.clear();
  m_file.Abort();
}

CPZARRecord* CPZARFile::GetRecord(std::int32_t type) const {
  const auto it = std::find_if(m_aRecords.begin(), m_aRecords.end(),
                               [type](const auto& p) { return p->GetType() == type; });
  return it == m_aRecords.end() ? nullptr : it->get();
}

void CPZARFile::GetRecordList(std::list<CPZARRecord*>& out) const {
  for (const auto& p : m_aRecords) out.push_back(p.get());
}

void CPZARFile::GetRecordList(zar::MTArray<IPostRecord*>& out) const {
  for (const auto& p : m_aRecords) out.push_back(p.get());
}

CPZARElemOutVector* CPZARFile::AddElemOutVector() {
  return m_aElemOutVectors.emplace_back(std::make_unique<CPZARElemOutVector>()).get();
}

int CPZARFile::RemoveElemOutVector(CPZARElemOutVector* pVector) {
  const auto it = std::find_if(m_aElemOutVectors.begin(), m_aElemOutVectors.end(),
                               [pVector](const auto& p) { return p.get() == pVector; });
  if (it == m_aElemOutVectors.end()) return 0;
  m_aElemOutVectors.erase(it);
  return 1;
}

void CPZARFile::InitAllRecordFlags() {
  IPZARVectorRegistry* pNodeList = nullptr;
  IPZARVectorRegistry* pElemList = nullptr;
  std::int32_t seqNo = 0;
  for (const auto& pRecord : m_aRecords) {
    switch (pRecord->GetType()) {
      case PZAR_RECORD_TYPE::NODE_ID_LIST:
        pNodeList = PZARRecordCast<IPZARVectorRegistry>(pRecord.get());
        break;
      case PZAR_RECORD_TYPE::ELEM_ID_LIST:
        pElemList = PZARRecordCast<IPZARVectorRegistry>(pRecord.get());
        break;
      case PZAR_RECORD_TYPE::OUTPUT_SET:
        pNodeList = pElemList = nullptr;
        break;
      case PZAR_RECORD_TYPE::VECTOR:
        if (auto* pVector = PZARRecordCast<IPZARSequencedVector>(pRecord.get()))
          pVector->SetVectorSeqNo(++seqNo);
        if (pNodeList) pNodeList->AddVector(pRecord.get());
        if (pElemList) pElemList->AddVector(pRecord.get());
        break;
      default:
        break;
    }
  }
}

void CPZARFile::DeInitAllRecordFlags() {
  for (const auto& pRecord : m_aRecords) {
    const std::int32_t type = pRecord->GetType();
    if (type != PZAR_RECORD_TYPE::NODE_ID_LIST && type != PZAR_RECORD_TYPE::ELEM_ID_LIST) continue;
    if (auto* pList = PZARRecordCast<IPZARVectorRegistry>(pRecord.get())) pList->ClearVectors();
  }
}

int CPZARFile::GetRecordVectorIDRange(std::int32_t range[2]) const {
  std::int32_t lo = std::numeric_limits<std::int32_t>::max();
  std::int32_t hi = std::numeric_limits<std::int32_t>::min();
  bool found = false;
  for (const auto& pRecord : m_aRecords) {
    if (pRecord->GetType() != PZAR_RECORD_TYPE::VECTOR) continue;
    lo = std::min(lo, pRecord->GetHeader().id);
    hi = std::max(hi, pRecord->GetHeader().id);
    found = true;
  }
  if (!found) return 0;
  range[0] = lo;
  range[1] = hi;
  return 1;
}
