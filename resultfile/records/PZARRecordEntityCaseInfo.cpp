#include "resultfile/records/PZARRecordEntityCaseInfo.h"

#include <algorithm>

#include "base/File.h"
#include "base/FileException.h"
#include "resultfile/PZARFile.h"
#include "resultfile/RecordFactory.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/RecordEcho.h"
#include "resultfile/records/RecordRealBlock.h"

namespace {

using PZAR_RECORD_TYPE::ENTITY_CASE_INFO;
const CPZARRecordRegistrar<CPZARRecordEntityCaseInfoD_140> s_reg140(ENTITY_CASE_INFO,
                                                                    PZAR_RECORD_VER::VER_140);

}  // namespace

std::int32_t CPZARRecordEntityCaseInfoD::GetType() const { return kType; }

int CPZARRecordEntityCaseInfoD::_Scan(CFile& file) {
  const CPZARFile* pFile = GetFile();
  if (!pFile || !m_info.Read(*this, file, pFile->GetFloatSize())) return 0;
  m_aResIDs = pFile->GetResIDs();
  m_nEntityCnt = IsElemData() ? pFile->GetCurElemCnt() : pFile->GetCurNodeCnt();
  const std::int64_t rows = IsElemData() ? ElemNodeNumber() : 1;
  if (!TPZARResultInfo::CountOf(
          {rows, m_nEntityCnt, static_cast<std::int64_t>(m_aResIDs.size()), SubNumber()},
          m_nDataCount)) {
    return RefuseBodyCount();
  }
  m_nDataPos = file.GetPosition();
  const auto size = static_cast<std::uint64_t>(m_nDataCount) * sizeof(unsigned int);
  return SkipBytes(file, size) ? 1 : 0;
}

int CPZARRecordEntityCaseInfoD::_WriteEcho(FILE* pFile) {
  using pzar_echo::Echo;
  using pzar_echo::kSep;
  const TPZARResultInts& i = m_info.m_ints;
  bool ok = Echo(pFile, kSep) && Echo(pFile, L"Vehicle Loading Info (or Min/Max Loadset id) \n") &&
            Echo(pFile, L" Entity Count : %d \n", m_nEntityCnt) &&
            Echo(pFile, L" Data Count : %d \n", m_nDataCount) && Echo(pFile, L" * Info * \n") &&
            Echo(pFile, L" - Data type : %d \n", i.m_nDataType) &&
            Echo(pFile, L" - Output type : %d \n", i.m_nOutputType) &&
            Echo(pFile, L" - Number Info :");
  for (std::int32_t number : i.m_nComponent) ok = ok && Echo(pFile, L" %d", number);
  return ok && Echo(pFile, L"\n") && Echo(pFile, L" - Direction : %d \n", i.m_nDirection) &&
         Echo(pFile, L" - Calc warning : %d \n", i.m_nCalcWaring) &&
         Echo(pFile, L" - Sub Number : %d \n", SubNumber()) &&
         Echo(pFile, L" - Element Node Number : %d \n", ElemNodeNumber()) && Echo(pFile, kSep);
}

pvk::LOC_TYPE CPZARRecordEntityCaseInfoD::GetLocType() const {
  if (!IsElemData()) return pvk::LOC_NODE;
  const std::int32_t direction = m_info.m_ints.m_nDirection;
  if (direction != 2 && direction != 3) return pvk::LOC_ELEM;
  return ElemNodeNumber() < 4 ? pvk::LOC_ELEM : pvk::LOC_ELEM_NODE;
}

bool CPZARRecordEntityCaseInfoD::FindType(std::int32_t resultId, std::size_t& type) const {
  const auto it = std::find(m_aResIDs.begin(), m_aResIDs.end(), resultId);
  type = static_cast<std::size_t>(it - m_aResIDs.begin());
  return resultId >= 1 && it != m_aResIDs.end();
}

void CPZARRecordEntityCaseInfoD::SetCounts(unsigned& first, unsigned& second,
                                           unsigned& nodes) const {
  first = static_cast<unsigned>(m_info.m_ints.m_nComponent[1]);
  second = static_cast<unsigned>(SubNumber()) - first;
  nodes = IsElemData() ? static_cast<unsigned>(ElemNodeNumber()) : 1u;
}

bool CPZARRecordEntityCaseInfoD::ReadEntity(std::size_t entity, std::size_t type,
                                            zar::MArray<unsigned int>& values) const {
  CPZARFile* pFile = GetFile();
  if (!pFile) return false;
  const std::uint64_t rows = IsElemData() ? static_cast<std::uint64_t>(ElemNodeNumber()) : 1u;
  const auto sub = static_cast<std::uint64_t>(SubNumber());
  const std::size_t start = values.size();
  values.resize(start + rows * sub);
  CFile& file = pFile->GetFile();
  try {
    for (std::uint64_t row = 0; row < rows; ++row) {
      const std::uint64_t block = (entity * rows + row) * m_aResIDs.size() + type;
      file.Seek(static_cast<std::int64_t>(m_nDataPos + block * sub * sizeof(unsigned int)),
                CFile::begin);
      if (!pzar_body::ReadBytes(file, values.data() + start + row * sub,
                                sub * sizeof(unsigned int))) {
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

int CPZARRecordEntityCaseInfoD::LoadUnitData(std::int32_t resultId, zar::MArray<std::int32_t>& ids,
                                             unsigned& first, unsigned& second, unsigned& nodes,
                                             zar::MArray<unsigned int>& values) {
  values.clear();
  ids.clear();
  std::size_t type = 0;
  if (!FindType(resultId, type)) return 0;
  SetCounts(first, second, nodes);
  if (m_pKeyLoader && !m_pKeyLoader->LoadData(ids, nullptr, nullptr)) return 0;
  for (std::size_t entity = 0; entity < static_cast<std::size_t>(m_nEntityCnt); ++entity) {
    if (!ReadEntity(entity, type, values)) {
      values.clear();
      return 0;
    }
  }
  return 1;
}

int CPZARRecordEntityCaseInfoD::LoadUnitData(std::int32_t entityId,
                                             const zar::MArray<std::int32_t>* keys, unsigned& first,
                                             unsigned& second, unsigned& nodes,
                                             zar::MArray<unsigned int>& values) {
  values.clear();
  zar::MArray<std::int32_t> ids;
  if (!m_pKeyLoader || !m_pKeyLoader->LoadData(ids, nullptr, nullptr)) return 0;
  const auto found = std::find(ids.begin(), ids.end(), entityId);
  const auto entity = static_cast<std::size_t>(found - ids.begin());
  if (found == ids.end() || entity >= static_cast<std::size_t>(m_nEntityCnt)) return 0;
  SetCounts(first, second, nodes);
  for (std::int32_t key : keys ? *keys : m_aResIDs) {
    std::size_t type = 0;
    if (!FindType(key, type) || !ReadEntity(entity, type, values)) {
      values.clear();
      return 0;
    }
  }
  return 1;
}

int CPZARRecordEntityCaseInfoD::LoadData(const zar::MArray<std::int32_t>* keys,
                                         zar::MArray<std::int32_t>& ids, unsigned& first,
                                         unsigned& second, unsigned& nodes,
                                         zar::MArray<unsigned int>& values) {
  values.clear();
  zar::MArray<unsigned int> one;
  for (std::int32_t key : keys ? *keys : m_aResIDs) {
    if (!LoadUnitData(key, ids, first, second, nodes, one)) {
      values.clear();
      return 0;
    }
    values.insert(values.end(), one.begin(), one.end());
  }
  return 1;
}
