#pragma once
// Data vector (type 14): one result component over all nodes or elements of the id list in
// force. The scan keeps the result information and skips the values; LoadData reads them later
// from the still-open result file.
#include <cstdint>

#include "datastore/PostDataLoader.h"
#include "qve_pvk_export.h"
#include "resultfile/PZARRecord.h"
#include "resultfile/PZARVectorRegistry.h"
#include "resultfile/records/PZARResultInfo.h"

class PVK_API CPZARRecordVector : public CPZARRecord,
                                  public IPostDataUnitResultLoader<double>,
                                  public IPZARSequencedVector {
public:
  static constexpr std::int32_t kType = PZAR_RECORD_TYPE::VECTOR;
  std::int32_t GetType() const override;

  virtual int NeedNodeLocalCycs() const { return 0; }
  virtual int IsElemCornerData() const { return m_info.m_ints.m_nDataType == 2 ? 1 : 0; }
  int IsLineElemComp() const override;
  // The number of related component ids.
  int GetComponentRelationNo() const;
  const TPZARResultInfo& GetInfo() const { return m_info; }

  void SetVectorSeqNo(std::int32_t seqNo) override { m_nSeqNo = seqNo; }
  std::int32_t GetVectorSeqNo() const override { return m_nSeqNo; }
  std::int32_t GetVectorDataType() const override { return m_info.m_ints.m_nDataType; }

  // All values in file order; the iterators are emptied.
  int LoadData(zar::MArray<double>& out, zar::MArray<std::uint64_t>& dbItrs, IPreDBLinker* linker,
               zar::MArray<std::int32_t>* ids) override;
  int LoadData(zar::MArray<double>& out, IPreDBLinker* linker,
               zar::MArray<std::int32_t>* ids) override;
  int OverwriteData(zar::MArray<double>& out, IPreDBLinker* linker,
                    zar::MArray<std::int32_t>* ids) override;
  // All values in file order, whatever the iterators.
  int LoadData(zar::MArray<double>& out, const zar::MArray<std::uint64_t>& dbItrs,
               IPreDBLinker* linker) override;
  std::int32_t GetDataCount() const override { return m_nCount; }

protected:
  int _Scan(CFile& file) override;
  int _WriteEcho(FILE* pFile) override;
  static int WriteBody(IRecordD* pData);
  // Reads all values as one block into the output sized for them, without filling it first.
  // On failure the output is left empty.
  int ReadValues(zar::MArray<double>& out) const;
  // Reads all values into dst, which holds GetDataCount() doubles; false on a short read.
  bool ReadInto(double* dst) const;

private:
  TPZARResultInfo m_info;
  std::uint64_t m_nDataPos = 0;
  std::uint64_t m_nDataSize = 0;
  std::int32_t m_nCount = 0;
  std::int32_t m_nSeqNo = 0;
};

class PVK_API CPZARRecordVector_130 final : public CPZARRecordVector {};

class PVK_API CPZARRecordVector_140 final : public CPZARRecordVector {
public:
  // Direction 4 asks for the nodal local coordinate systems.
  int NeedNodeLocalCycs() const override;
  using CPZARRecordVector::LoadData;
  // The values of the given node iterators, in their order, through the ids of the node id
  // list in force. 0 when an iterator's node is not in it or the counts differ.
  int LoadData(zar::MArray<double>& out, const zar::MArray<std::uint64_t>& dbItrs,
               IPreDBLinker* linker) override;

protected:
  int _Write(IRecordD* pData) override { return WriteBody(pData); }
};

// What a writer hands the version-140 record. The pointed-to reals have the given width
// (floats for 4, doubles for 8); without values only the result information is written.
class PVK_API CRecordVectorD : public IRecordD {
public:
  using IRecordD::IRecordD;

  TPZARResultInts m_ints;
  std::int32_t m_nRealWidth = 8;
  CString m_strName;
  const void* m_pMinVal = nullptr;
  const void* m_pMaxVal = nullptr;
  const void* m_pValues = nullptr;
  std::int32_t m_nCount = 0;
};
