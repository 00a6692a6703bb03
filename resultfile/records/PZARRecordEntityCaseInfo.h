#pragma once
// Entity case information (type 16): the ids of the vehicle loading positions, or of the load
// sets, that produced a minimum or maximum. For each entity, for each element node (element
// data only), for each result type of the file's result-type ids, sub number unsigned 32-bit
// values. The scan keeps the result information and skips the values.
#include <cstdint>

#include "core/DataTypes.h"
#include "datastore/PostDataEntityCaseInfoLoader.h"
#include "datastore/PostDataLoader.h"
#include "qve_pvk_export.h"
#include "resultfile/PZARRecord.h"
#include "resultfile/records/PZARRecordVersions.h"
#include "resultfile/records/PZARResultInfo.h"

class PVK_API CPZARRecordEntityCaseInfoD : public CPZARRecord,
                                           public IPostDataUnitEntityCaseInfoLoader<unsigned int> {
public:
  static constexpr std::int32_t kType = PZAR_RECORD_TYPE::ENTITY_CASE_INFO;
  std::int32_t GetType() const override;
  const TPZARResultInfo& GetInfo() const { return m_info; }
  std::int32_t GetEntityCount() const { return m_nEntityCnt; }
  std::int32_t GetDataCount() const { return m_nDataCount; }
  pvk::LOC_TYPE GetLocType() const;
  // The case information kind, the first number-information entry.
  std::int32_t GetCaseInfo() const { return m_info.m_ints.m_nComponent[0]; }
  // The id list whose entities the values follow; not owned.
  void SetDataLoaderKey(IPostDataUnitResultLoader<std::int32_t>* pKeyLoader) {
    m_pKeyLoader = pKeyLoader;
  }

  // The values of one result id for every entity (and element node). first is the second
  // number-information entry, second the sub number less first, nodes the values' element
  // nodes per entity (1 for nodal data). The ids are the key loader's.
  int LoadUnitData(std::int32_t resultId, zar::MArray<std::int32_t>& ids, unsigned& first,
                   unsigned& second, unsigned& nodes, zar::MArray<unsigned int>& values) override;
  // The values of one entity (found by id in the key loader's ids) for each key in turn, all
  // result ids without keys.
  int LoadUnitData(std::int32_t entityId, const zar::MArray<std::int32_t>* keys, unsigned& first,
                   unsigned& second, unsigned& nodes, zar::MArray<unsigned int>& values) override;
  // Each key in turn (all result ids without keys), values appended; 0 when one fails.
  int LoadData(const zar::MArray<std::int32_t>* keys, zar::MArray<std::int32_t>& ids,
               unsigned& first, unsigned& second, unsigned& nodes,
               zar::MArray<unsigned int>& values) override;

protected:
  int _Scan(CFile& file) override;
  int _WriteEcho(FILE* pFile) override;

private:
  bool IsElemData() const { return m_info.m_ints.m_nDataType != 0; }
  std::int32_t SubNumber() const { return m_info.m_ints.m_nMinID; }
  std::int32_t ElemNodeNumber() const { return m_info.m_ints.m_nMaxID; }
  // The position of a result id among the result-type ids; false when it is not one.
  bool FindType(std::int32_t resultId, std::size_t& type) const;
  void SetCounts(unsigned& first, unsigned& second, unsigned& nodes) const;
  // Appends the values of one entity for the result type at position `type`.
  bool ReadEntity(std::size_t entity, std::size_t type, zar::MArray<unsigned int>& values) const;

  TPZARResultInfo m_info;
  zar::MArray<std::int32_t> m_aResIDs;
  std::int32_t m_nEntityCnt = 0;
  std::int32_t m_nDataCount = 0;
  std::uint64_t m_nDataPos = 0;
  IPostDataUnitResultLoader<std::int32_t>* m_pKeyLoader = nullptr;  // not owned
};

using CPZARRecordEntityCaseInfoD_140 = TPZARRecordReadOnly<CPZARRecordEntityCaseInfoD>;
