#include "resultfile/records/PZARRecordConcNodalVector.h"

#include <algorithm>

#include "base/File.h"
#include "base/FileException.h"
#include "datastore/PostDataLoader.h"
#include "resultfile/PZARFile.h"
#include "resultfile/RecordFactory.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/RecordEcho.h"
#include "resultfile/records/RecordInForce.h"
#include "resultfile/records/RecordRealBlock.h"

namespace {

using PZAR_RECORD_TYPE::CONC_NODAL_VECTOR;
const CPZARRecordRegistrar<CPZARRecordConcNodalVector_140> s_reg140(CONC_NODAL_VECTOR,
                                                                    PZAR_RECORD_VER::VER_140);

}  // namespace

std::int32_t CPZARRecordConcNodalVector::GetType() const { return kType; }

int CPZARRecordConcNodalVector::_Scan(CFile& file) {
  const CPZARFile* pFile = GetFile();
  if (!pFile) return 0;
  const std::int32_t width = pFile->GetFloatSize();
  if (!m_info.Read(*this, file, width)) return 0;
  m_aResIDs = pFile->GetResIDs();
  m_nEntityCnt = pFile->GetCurNodeCnt();
  if (!TPZARResultInfo::CountOf({static_cast<std::int64_t>(m_aResIDs.size()),
                                 m_info.m_ints.m_nMinID, m_nEntityCnt, m_nEntityCnt},
                                m_nDataCount)) {
    return RefuseBodyCount();
  }
  m_nDataPos = file.GetPosition();
  const auto size = static_cast<std::uint64_t>(m_nDataCount) * static_cast<std::uint64_t>(width);
  return SkipBytes(file, size) ? 1 : 0;
}

int CPZARRecordConcNodalVector::_WriteEcho(FILE* pFile) {
  using pzar_echo::Echo;
  using pzar_echo::kSep;
  const TPZARResultInts& i = m_info.m_ints;
  bool ok = Echo(pFile, kSep) && Echo(pFile, L"Concurrent Nodal Output Vector\t\t       \n") &&
            Echo(pFile, L" Entity Count : %d \n", m_nEntityCnt) &&
            Echo(pFile, L" Data Count : %d \n", m_nDataCount) && Echo(pFile, L" * Info * \n") &&
            Echo(pFile, L" - Direction : %d \n", i.m_nDirection) &&
            Echo(pFile, L" - Calc warning : %d \n", i.m_nCalcWaring) &&
            Echo(pFile, L" - Key Number : %d \n", i.m_nMinID) && Echo(pFile, L"m_nComponent : ");
  for (std::int32_t comp : i.m_nComponent) ok = ok && Echo(pFile, L"%d ", comp);
  return ok && Echo(pFile, L"\n") && Echo(pFile, kSep);
}

bool CPZARRecordConcNodalVector::HasComponent(std::int32_t key) const {
  const auto& comps = m_info.m_ints.m_nComponent;
  return std::find(std::begin(comps), std::end(comps), key) != std::end(comps);
}

bool CPZARRecordConcNodalVector::ReadType(std::size_t type, zar::MArray<double>& values) const {
  CPZARFile* pFile = GetFile();
  if (!pFile) return false;
  const std::int32_t width = pFile->GetFloatSize();
  const auto perType = static_cast<std::uint64_t>(m_info.m_ints.m_nMinID) * m_nEntityCnt;
  const std::size_t start = values.size();
  values.resize(start + static_cast<std::size_t>(perType) * m_nEntityCnt);
  try {
    for (std::size_t node = 0; node < static_cast<std::size_t>(m_nEntityCnt); ++node) {
      const std::uint64_t block = node * m_aResIDs.size() + type;
      const std::uint64_t pos = m_nDataPos + block * perType * static_cast<std::uint64_t>(width);
      if (!pzar_body::ReadRealBlock(pFile->GetFile(), pos, perType, width,
                                    values.data() + start + node * perType)) {
        return false;
      }
    }
    return true;
  } catch (const CFileException& e) {
    wchar_t message[255];
    e.GetErrorMessage(message, 255);
    return false;
  }
}

bool CPZARRecordConcNodalVector::LoadNodeIDs(zar::MArray<std::int32_t>& ids) const {
  auto* pList = dynamic_cast<IPostDataUnitResultLoader<std::int32_t>*>(
      pzar_record::FindRecordBefore(*this, PZAR_RECORD_TYPE::NODE_ID_LIST));
  ids.clear();
  return pList && pList->LoadData(ids, nullptr, nullptr);
}

int CPZARRecordConcNodalVector::LoadUnitData(std::int32_t key, zar::MArray<std::int32_t>* ids,
                                             zar::MArray<unsigned int>& comps,
                                             zar::MArray<double>& values) {
  comps.clear();
  values.clear();
  const auto type = std::find(m_aResIDs.begin(), m_aResIDs.end(), key);
  if (key < 1 || type == m_aResIDs.end() || !HasComponent(key)) return 0;
  for (std::int32_t comp : m_info.m_ints.m_nComponent) {
    if (comp != 0) comps.push_back(static_cast<unsigned int>(comp));
  }
  if ((ids && !LoadNodeIDs(*ids)) ||
      !ReadType(static_cast<std::size_t>(type - m_aResIDs.begin()), values)) {
    values.clear();
    return 0;
  }
  return 1;
}

int CPZARRecordConcNodalVector::LoadData(const zar::MArray<std::int32_t>* keys,
                                         zar::MArray<std::int32_t>& ids,
                                         zar::MArray<unsigned int>& comps,
                                         zar::MArray<double>& values) {
  values.clear();
  zar::MArray<double> one;
  for (std::int32_t key : keys ? *keys : m_aResIDs) {
    if (!LoadUnitData(key, nullptr, comps, one)) {
      values.clear();
      return 0;
    }
    values.insert(values.end(), one.begin(), one.end());
  }
  return LoadNodeIDs(ids) ? 1 : 0;
}
