#include "resultfile/records/PZARRecordVector.h"

#include <cstring>
#include <memory>

#include "base/File.h"
#include "base/FileException.h"
#include "base/HugePages.h"
#include "core/ModelDBLink.h"
#include "resultfile/PZARFile.h"
#include "resultfile/RecordFactory.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/IDPositions.h"
#include "resultfile/records/RecordEcho.h"
#include "resultfile/records/RecordIO.h"
#include "resultfile/records/RecordInForce.h"
#include "resultfile/records/RecordRealBlock.h"

namespace {

using PZAR_RECORD_TYPE::VECTOR;
const CPZARRecordRegistrar<CPZARRecordVector_130> s_reg130(VECTOR, PZAR_RECORD_VER::VER_130);
const CPZARRecordRegistrar<CPZARRecordVector_140> s_reg140(VECTOR, PZAR_RECORD_VER::VER_140);

// The node id behind a node iterator: its record begins with it.
bool NodeIDOf(const IPreDBTable& nodes, std::uint64_t dbItr, std::int32_t& id) {
  const void* pRecord = nodes.GetRecord(dbItr);
  if (!pRecord) return false;
  std::memcpy(&id, pRecord, sizeof(id));
  return true;
}

}  // namespace

std::int32_t CPZARRecordVector::GetType() const { return kType; }

int CPZARRecordVector::IsLineElemComp() const {
  const std::int32_t direction = m_info.m_ints.m_nDirection;
  return direction == 2 || direction == 3 ? 1 : 0;
}

int CPZARRecordVector::GetComponentRelationNo() const {
  int n = 0;
  for (std::int32_t comp : m_info.m_ints.m_nComponent) n += comp != 0 ? 1 : 0;
  return n;
}

int CPZARRecordVector::_Scan(CFile& file) {
  const CPZARFile* pFile = GetFile();
  if (!pFile) return 0;
  const std::int32_t width = pFile->GetFloatSize();
  if (!m_info.Read(*this, file, width)) return 0;
  m_nCount = m_info.m_ints.m_nDataType == 0 ? pFile->GetCurNodeCnt() : pFile->GetCurElemCnt();
  if (m_nCount < 0) return RefuseBodyCount();
  m_nDataPos = file.GetPosition();
  m_nDataSize = static_cast<std::uint64_t>(m_nCount) * static_cast<std::uint64_t>(width);
  return SkipBytes(file, m_nDataSize) ? 1 : 0;
}

int CPZARRecordVector::_WriteEcho(FILE* pFile) {
  using pzar_echo::Echo;
  using pzar_echo::kSep;
  const TPZARResultInts& i = m_info.m_ints;
  bool ok =
      Echo(pFile, kSep) && Echo(pFile, L"DATA VECTOR  : %s\n", m_info.m_strName) &&
      Echo(pFile, L"COMPONENT ID : %d\n", GetHeader().id) &&
      Echo(pFile, L"DATA COUNT   : %d\n", m_nCount) && Echo(pFile, kSep) &&
      Echo(pFile, L"m_nDataType : %d, m_nOutputType : %d, m_nDirection : %d, m_nCalcWaring : %d\n",
           i.m_nDataType, i.m_nOutputType, i.m_nDirection, i.m_nCalcWaring) &&
      Echo(pFile, L"m_nMinID : %d, m_nMaxID : %d, m_rMinVal : %f, m_rMaxVal : %f \n", i.m_nMinID,
           i.m_nMaxID, m_info.m_rMinVal, m_info.m_rMaxVal) &&
      Echo(pFile, L"m_nComponent : ");
  for (std::int32_t comp : i.m_nComponent) ok = ok && Echo(pFile, L"%d ", comp);
  return ok && Echo(pFile, L"\n\n");
}

int CPZARRecordVector::WriteBody(IRecordD* pData) {
  const auto* pVector = dynamic_cast<const CRecordVectorD*>(pData);
  if (!pVector || !pVector->GetFile() || !pVector->m_pMinVal || !pVector->m_pMaxVal) return 0;
  CFile& file = *pVector->GetFile();
  const std::int32_t width = pVector->m_nRealWidth == 4 ? 4 : 8;
  TPZARResultInfo::Write(file, pVector->m_ints, width, pVector->m_pMinVal, pVector->m_pMaxVal,
                         pVector->m_strName);
  if (pVector->m_pValues && pVector->m_nCount > 0) {
    pzar_record::WriteBytes(file, pVector->m_pValues,
                            static_cast<std::uint64_t>(pVector->m_nCount) * width);
  }
  return 1;
}

bool CPZARRecordVector::ReadInto(double* dst) const {
  CPZARFile* pFile = GetFile();
  if (!pFile) return false;
  try {
    return pzar_body::ReadRealBlock(pFile->GetFile(), m_nDataPos,
                                    static_cast<std::uint64_t>(m_nCount), pFile->GetFloatSize(),
                                    dst);
  } catch (const CFileException& e) {
    wchar_t message[255];
    e.GetErrorMessage(message, 255);
  }
  return false;
}

int CPZARRecordVector::ReadValues(zar::MArray<double>& out) const {
  if (GetFile()) {
    // A reused array of the right size is not touched before the read.
    zar::lib::SizeForOverwrite(out, static_cast<std::size_t>(m_nCount));
    if (ReadInto(out.data())) return 1;
  }
  // A file cut short since the scan: half a vector would pass for values.
  out.clear();
  return 0;
}

int CPZARRecordVector::LoadData(zar::MArray<double>& out, zar::MArray<std::uint64_t>& dbItrs,
                                IPreDBLinker*, zar::MArray<std::int32_t>*) {
  dbItrs.clear();
  return ReadValues(out);
}

int CPZARRecordVector::LoadData(zar::MArray<double>& out, IPreDBLinker*,
                                zar::MArray<std::int32_t>*) {
  return ReadValues(out);
}

int CPZARRecordVector::LoadData(zar::MArray<double>& out, const zar::MArray<std::uint64_t>&,
                                IPreDBLinker*) {
  return ReadValues(out);
}

int CPZARRecordVector::OverwriteData(zar::MArray<double>& out, IPreDBLinker*,
                                     zar::MArray<std::int32_t>*) {
  return ReadValues(out);
}

int CPZARRecordVector_140::NeedNodeLocalCycs() const {
  return GetInfo().m_ints.m_nDirection == 4 ? 1 : 0;
}

int CPZARRecordVector_140::LoadData(zar::MArray<double>& out,
                                    const zar::MArray<std::uint64_t>& dbItrs,
                                    IPreDBLinker* linker) {
  out.clear();
  const IPreDBTable* pNodes = linker ? linker->GetNodeTable() : nullptr;
  auto* pList = dynamic_cast<IPostDataUnitResultLoader<std::int32_t>*>(
      pzar_record::FindRecordBefore(*this, PZAR_RECORD_TYPE::NODE_ID_LIST));
  zar::MArray<std::int32_t> ids;
  if (!pNodes || !pList || !pList->LoadData(ids, nullptr, nullptr) ||
      ids.size() != static_cast<std::size_t>(GetDataCount())) {
    return 0;
  }
  // Only looked up, so neither zero-filled nor kept.
  const auto values = std::make_unique_for_overwrite<double[]>(ids.size());
  if (!ReadInto(values.get())) return 0;
  const CIDPositions positions(ids);
  out.resize(dbItrs.size());
  for (std::size_t i = 0; i < dbItrs.size(); ++i) {
    std::int32_t id = 0;
    std::size_t pos = 0;
    if (!NodeIDOf(*pNodes, dbItrs[i], id) || !positions.Find(id, pos)) {
      out.clear();
      return 0;
    }
    out[i] = values[pos];
  }
  return 1;
}
