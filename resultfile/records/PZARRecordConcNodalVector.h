#pragma once
// Concurrent nodal output vector (type 15): for each node of the id list in force and each
// result type of the file's result-type ids, key number × node count reals. The scan keeps the
// result information and skips the values.
#include <cstdint>

#include "datastore/PostDataEntityCompLoader.h"
#include "qve_pvk_export.h"
#include "resultfile/PZARRecord.h"
#include "resultfile/records/PZARRecordVersions.h"
#include "resultfile/records/PZARResultInfo.h"

class PVK_API CPZARRecordConcNodalVector : public CPZARRecord,
                                           public IPostDataUnitEntityCompLoader<double> {
public:
  static constexpr std::int32_t kType = PZAR_RECORD_TYPE::CONC_NODAL_VECTOR;
  std::int32_t GetType() const override;
  const TPZARResultInfo& GetInfo() const { return m_info; }
  std::int32_t GetEntityCount() const { return m_nEntityCnt; }
  std::int32_t GetDataCount() const { return m_nDataCount; }

  // The values of one result type: per node, key number × node count values. The key must be
  // one of the result-type ids and one of the related component ids. The ids, when asked for,
  // are the node ids of the list in force.
  int LoadUnitData(std::int32_t key, zar::MArray<std::int32_t>* ids,
                   zar::MArray<unsigned int>& comps, zar::MArray<double>& values) override;
  // Each key in turn (all result types without keys), values appended; 0 when one fails.
  int LoadData(const zar::MArray<std::int32_t>* keys, zar::MArray<std::int32_t>& ids,
               zar::MArray<unsigned int>& comps, zar::MArray<double>& values) override;

protected:
  int _Scan(CFile& file) override;
  int _WriteEcho(FILE* pFile) override;

private:
  bool HasComponent(std::int32_t key) const;
  // Appends the values of the result type at position `type` for every node.
  bool ReadType(std::size_t type, zar::MArray<double>& values) const;
  bool LoadNodeIDs(zar::MArray<std::int32_t>& ids) const;

  TPZARResultInfo m_info;
  zar::MArray<std::int32_t> m_aResIDs;
  std::int32_t m_nEntityCnt = 0;
  std::int32_t m_nDataCount = 0;
  std::uint64_t m_nDataPos = 0;
};

using CPZARRecordConcNodalVector_140 = TPZARRecordReadOnly<CPZARRecordConcNodalVector>;
