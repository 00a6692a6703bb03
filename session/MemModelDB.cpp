#include "session/MemModelDB.h"

#include <algorithm>

namespace {

// Type code, corner nodes, all nodes and dimension of each element type, by type code.
constexpr std::int32_t N_ELEM_TYPE = 16;
constexpr TPreElemTypeInfo kElemTypeInfo[N_ELEM_TYPE] = {
    {0, 0, 0, 0},  {1, 1, 1, 0},   {2, 2, 2, 1},  {3, 2, 3, 1},   {4, 3, 3, 2},  {5, 3, 6, 2},
    {6, 4, 4, 2},  {7, 4, 8, 2},   {8, 4, 4, 3},  {9, 4, 10, 3},  {10, 5, 5, 3}, {11, 5, 13, 3},
    {12, 6, 6, 3}, {13, 6, 15, 3}, {14, 8, 8, 3}, {15, 8, 20, 3},
};

const TPreElemTypeInfo* FindTypeInfo(std::int32_t typeCode) {
  return typeCode >= 0 && typeCode < N_ELEM_TYPE ? &kElemTypeInfo[typeCode] : nullptr;
}

}  // namespace

const IPreDBTable* CMemModelDB::GetTable(std::int32_t tableNo) const {
  return tableNo == N_ANALYSIS_TABLE ? &m_tblAnalysis : nullptr;
}

std::int32_t CMemModelDB::GetElemType(std::uint64_t element) const {
  const TMemDBElem* elem = m_tblElem.Find(element);
  return elem ? elem->m_nType : 0;
}

const TPreElemTypeInfo* CMemModelDB::GetElemTypeInfo(std::uint64_t element) const {
  const TMemDBElem* elem = m_tblElem.Find(element);
  return elem ? FindTypeInfo(elem->m_nType) : nullptr;
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
                                      const zar::MArray<std::int32_t>& nodeIds) {
  const TPreElemTypeInfo* info = FindTypeInfo(typeCode);
  if (!info || static_cast<std::size_t>(info->m_nNodeCnt) != nodeIds.size()) return 0;
  TMemDBElem elem{id, typeCode, {}};
  std::copy(nodeIds.begin(), nodeIds.end(), elem.m_aNodeID.begin());
  return m_tblElem.Add(elem);
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
