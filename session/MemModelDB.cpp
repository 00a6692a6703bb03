#include "session/MemModelDB.h"

#include <algorithm>
#include <array>

#include "session/ElemTypeTable.h"

namespace {

// The model's view of each element type, taken from the element type table.
const std::array<TPreElemTypeInfo, pvk::N_ELEM_TYPE>& ElemTypeInfos() {
  static const auto infos = [] {
    std::array<TPreElemTypeInfo, pvk::N_ELEM_TYPE> out{};
    for (std::int32_t code = 0; code < pvk::N_ELEM_TYPE; ++code) {
      const pvk::TElemTypeEntry& e = *pvk::GetElemTypeEntry(code);
      out[static_cast<std::size_t>(code)] = {code, e.m_nCornerNodeCnt, e.m_nNodeCnt,
                                             e.m_nDimension};
    }
    return out;
  }();
  return infos;
}

const TPreElemTypeInfo* FindTypeInfo(std::int32_t typeCode) {
  return typeCode >= 0 && typeCode < pvk::N_ELEM_TYPE
             ? &ElemTypeInfos()[static_cast<std::size_t>(typeCode)]
             : nullptr;
}

}  // namespace

const IPreDBTable* CMemModelDB::GetTable(std::int32_t tableNo) const {
  if (tableNo == DPoolPtob::N_POOL) return &m_poolPtob;
  return tableNo == N_ANALYSIS_TABLE ? &m_tblAnalysis : nullptr;
}

std::int32_t CMemModelDB::GetElemType(std::uint64_t element) const {
  const std::uint32_t key = m_tblElem.GetKey(element);
  return key == IPreDBTable::N_NO_KEY ? 0 : m_aElemType[key];
}

const TPreElemTypeInfo* CMemModelDB::GetElemTypeInfo(std::uint64_t element) const {
  const std::uint32_t key = m_tblElem.GetKey(element);
  return key == IPreDBTable::N_NO_KEY ? nullptr : FindTypeInfo(m_aElemType[key]);
}

std::uint64_t CMemModelDB::FindLoadCase(std::uint64_t /*dbItr*/, const CString& title) const {
  const auto it = m_mapLoadCase.find(title.str());
  return it == m_mapLoadCase.end() ? 0 : it->second;
}

int CMemModelDB::QuerySolver(std::int32_t solverId) const {
  const auto it = m_mapSolver.find(solverId);
  return it == m_mapSolver.end() ? 0 : it->second;
}

CString CMemModelDB::GetItemName(std::uint64_t dbItr) const {
  const auto it = m_mapName.find(dbItr);
  return it == m_mapName.end() ? CString() : it->second;
}

std::uint64_t CMemModelDB::AddNode(std::int32_t id, double x, double y, double z) {
  return m_tblNode.Add({id, {{x, y, z}}});
}

std::uint64_t CMemModelDB::AddElement(std::int32_t id, std::int32_t typeCode,
                                      std::span<const std::int32_t> nodeIds) {
  const TPreElemTypeInfo* info = FindTypeInfo(typeCode);
  if (!info || static_cast<std::size_t>(info->m_nNodeCnt) != nodeIds.size()) return 0;
  TMemDBElem elem{id, typeCode, {}};
  std::copy(nodeIds.begin(), nodeIds.end(), elem.m_aNodeID.begin());
  const std::uint64_t dbItr = m_tblElem.Add(elem);
  if (dbItr) m_aElemType.push_back(static_cast<std::uint8_t>(typeCode));
  return dbItr;
}

std::uint64_t CMemModelDB::AddAnalysisItem(std::uint8_t kindCode, const CString& name) {
  TMemDBAnalysis rec{m_tblAnalysis.GetCount() + 1, {}, kindCode};
  const std::uint64_t dbItr = m_tblAnalysis.Add(rec);
  m_mapName.emplace(dbItr, name);
  return dbItr;
}

std::uint64_t CMemModelDB::AddLoadCase(const CString& name) {
  if (m_mapLoadCase.contains(name.str())) return 0;
  const std::uint64_t dbItr = m_tblLoadCase.Add({m_tblLoadCase.GetCount() + 1});
  m_mapLoadCase.emplace(name.str(), dbItr);
  m_mapName.emplace(dbItr, name);
  return dbItr;
}

std::uint64_t CMemModelDB::AddBody(std::int32_t partID, std::unique_ptr<zar::cad::MXBody> pBody) {
  if (!pBody || m_poolPtob.GetBodyK(partID)) return 0;
  const std::uint64_t key = m_poolEntity.Add(std::move(pBody));
  m_poolPtob.AddBodyK(partID, key);
  return key;
}
