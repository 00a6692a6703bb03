#pragma once
// The id-list records: a header whose id is the count n, then n 32-bit ids. The scan only
// skips the ids; LoadData reads them later from the still-open result file.
#include <cstdint>

#include "datastore/PostDataLoader.h"
#include "qve_pvk_export.h"
#include "resultfile/PZARRecord.h"
#include "resultfile/records/PZARRecordVersions.h"

// What distinguishes one id list from another.
struct TIDListTraits {
  std::int32_t nType;
  std::int32_t nMinCount;     // a smaller header count fails the scan
  const wchar_t* szEchoLine;  // the echo's line, taking the count
  bool bEchoLoads;            // the echo counts the loaded ids and ends with an empty line pair
  bool bClearsIters;          // LoadData empties the iterator array
};

class PVK_API CPZARRecordIDList : public CPZARRecord,
                                  public IPostDataUnitResultLoader<std::int32_t> {
public:
  std::int32_t GetType() const override { return m_traits.nType; }

  int LoadData(zar::MArray<std::int32_t>& out, zar::MArray<std::uint64_t>& dbItrs,
               IPreDBLinker* linker, zar::MArray<std::int32_t>* ids) override;
  int LoadData(zar::MArray<std::int32_t>& out, IPreDBLinker* linker,
               zar::MArray<std::int32_t>* ids) override;
  int LoadData(zar::MArray<std::int32_t>& out, const zar::MArray<std::uint64_t>& dbItrs,
               IPreDBLinker* linker) override;
  int OverwriteData(zar::MArray<std::int32_t>& out, IPreDBLinker* linker,
                    zar::MArray<std::int32_t>* ids) override;
  std::int32_t GetDataCount() const override { return GetHeader().id; }

protected:
  explicit CPZARRecordIDList(const TIDListTraits& traits) : m_traits(traits) {}

  int _Scan(CFile& file) override;
  int _WriteEcho(FILE* pFile) override;
  // Writes the ids of a CRecordIDListD; the writer puts the count into the header.
  static int WriteBody(IRecordD* pData);
  // What the list does besides skipping its ids; the file stands after them.
  virtual int OnScanned(CFile&) { return 1; }
  virtual std::int32_t GetEchoCount();
  // Reads the ids from the data position; 0 on a short or failed read.
  int ReadIDs(CFile& file, zar::MArray<std::int32_t>& out) const;

private:
  const TIDListTraits& m_traits;
  std::uint64_t m_nDataPos = 0;
  std::uint64_t m_nDataSize = 0;
};

// What a writer hands an id list of version 140: the ids (null: none written) and their count.
class PVK_API CRecordIDListD : public IRecordD {
public:
  CRecordIDListD(CFile* pFile, const std::int32_t* pIDs, std::int32_t nCount)
      : IRecordD(pFile), m_pIDs(pIDs), m_nCount(nCount) {}

  const std::int32_t* m_pIDs;
  std::int32_t m_nCount;
};

class PVK_API CPZARRecordActElemIDList : public CPZARRecordIDList {
public:
  static constexpr std::int32_t kType = PZAR_RECORD_TYPE::ACT_ELEM_ID_LIST;
  CPZARRecordActElemIDList();
};

class PVK_API CPZARRecordDeactElemIDList : public CPZARRecordIDList {
public:
  static constexpr std::int32_t kType = PZAR_RECORD_TYPE::DEACT_ELEM_ID_LIST;
  CPZARRecordDeactElemIDList();
};

class PVK_API CPZARRecordElemIDListOnMcas : public CPZARRecordIDList {
public:
  static constexpr std::int32_t kType = PZAR_RECORD_TYPE::ELEM_ID_LIST_ON_MCAS;
  CPZARRecordElemIDListOnMcas();
};

// Replaces the file's result ids with its own while it is scanned.
class PVK_API CPZARRecordResIDList : public CPZARRecordIDList {
public:
  static constexpr std::int32_t kType = PZAR_RECORD_TYPE::RES_ID_LIST;
  CPZARRecordResIDList();

protected:
  int OnScanned(CFile& file) override;
  // The count of the file's result ids.
  std::int32_t GetEchoCount() override;
};

class PVK_API CPZARRecordPlyID : public CPZARRecordIDList {
public:
  static constexpr std::int32_t kType = PZAR_RECORD_TYPE::PLY_ID;
  CPZARRecordPlyID();
};

// Not registered with the factory: its type is 0.
class PVK_API CPZARRecordFatigueIDList : public CPZARRecordIDList {
public:
  CPZARRecordFatigueIDList();
};

using CPZARRecordActElemIDList_130 = TPZARRecordReadOnly<CPZARRecordActElemIDList>;
using CPZARRecordActElemIDList_140 = TPZARRecord_140<CPZARRecordActElemIDList>;
using CPZARRecordDeactElemIDList_130 = TPZARRecordReadOnly<CPZARRecordDeactElemIDList>;
using CPZARRecordDeactElemIDList_140 = TPZARRecord_140<CPZARRecordDeactElemIDList>;
using CPZARRecordElemIDListOnMcas_140 = TPZARRecord_140<CPZARRecordElemIDListOnMcas>;
using CPZARRecordResIDList_140 = TPZARRecord_140<CPZARRecordResIDList>;
using CPZARRecordPlyID_130 = TPZARRecordReadOnly<CPZARRecordPlyID>;
using CPZARRecordPlyID_140 = TPZARRecord_140<CPZARRecordPlyID>;
