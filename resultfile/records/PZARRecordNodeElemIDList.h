#pragma once
// The node and element id lists, which set the file's current counts while they are scanned
// and index the vector records that follow them for the import.
#include <cstdint>
#include <map>

#include "qve_pvk_export.h"
#include "resultfile/PZARVectorRegistry.h"
#include "resultfile/records/PZARRecordIDList.h"

class PVK_API CPZARRecordNodeIDList : public CPZARRecordIDList, public IPZARVectorRegistry {
public:
  static constexpr std::int32_t kType = PZAR_RECORD_TYPE::NODE_ID_LIST;
  CPZARRecordNodeIDList();

  // Only nodal vectors; the first vector of a component id wins.
  int AddVector(CPZARRecord* pVector) override;
  void ClearVectors() override { m_mapVectors.clear(); }
  // Null when no vector of the component id was added.
  CPZARRecord* GetVector(std::int32_t compId) const;

protected:
  int OnScanned(CFile& file) override;

private:
  std::map<std::int32_t, CPZARRecord*> m_mapVectors;  // not owned
};

class PVK_API CPZARRecordElemIDList : public CPZARRecordIDList, public IPZARVectorRegistry {
public:
  static constexpr std::int32_t kType = PZAR_RECORD_TYPE::ELEM_ID_LIST;
  CPZARRecordElemIDList();

  // Only element (1) and element corner (2) vectors.
  int AddVector(CPZARRecord* pVector) override;
  void ClearVectors() override;
  // The vector that relates to pVector under the component id: for a line-element element
  // vector, the first element vector of the id; otherwise the first corner vector of the id
  // that follows pVector. Null when none.
  CPZARRecord* GetVector(CPZARRecord* pVector, std::int32_t compId) const;

protected:
  int OnScanned(CFile& file) override;

private:
  using TVectorMap = std::multimap<std::int32_t, CPZARRecord*>;  // not owned
  static CPZARRecord* FirstAfter(const TVectorMap& map, std::int32_t compId,
                                 std::int32_t afterSeqNo);

  TVectorMap m_mapElemVectors;
  TVectorMap m_mapCornerVectors;
};

using CPZARRecordNodeIDList_130 = TPZARRecordReadOnly<CPZARRecordNodeIDList>;
using CPZARRecordNodeIDList_140 = TPZARRecord_140<CPZARRecordNodeIDList>;
using CPZARRecordElemIDList_130 = TPZARRecordReadOnly<CPZARRecordElemIDList>;
using CPZARRecordElemIDList_140 = TPZARRecord_140<CPZARRecordElemIDList>;
