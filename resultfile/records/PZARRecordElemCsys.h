#pragma once
// Element coordinate systems (type 10003): for each element of the id list in force, two axis
// vectors of three reals. The header id is the element count. Read lazily like a data vector.
#include <cstdint>

#include "datastore/PostDataLoader.h"
#include "qve_pvk_export.h"
#include "resultfile/PZARRecord.h"

class PVK_API CPZARRecordElemCsys : public CPZARRecord,
                                    public IPostDataUnitResultLoader<pvk::TElemOutCsys_d> {
public:
  static constexpr std::int32_t kType = PZAR_RECORD_TYPE::ELEM_CSYS;
  std::int32_t GetType() const override;

  // All systems in file order; the iterators are emptied.
  int LoadData(zar::MArray<pvk::TElemOutCsys_d>& out, zar::MArray<std::uint64_t>& dbItrs,
               IPreDBLinker* linker, zar::MArray<std::int32_t>* ids) override;
  int LoadData(zar::MArray<pvk::TElemOutCsys_d>& out, IPreDBLinker* linker,
               zar::MArray<std::int32_t>* ids) override;
  int LoadData(zar::MArray<pvk::TElemOutCsys_d>& out, const zar::MArray<std::uint64_t>& dbItrs,
               IPreDBLinker* linker) override;
  std::int32_t GetDataCount() const override { return GetHeader().id; }

protected:
  int _Scan(CFile& file) override;
  int _WriteEcho(FILE* pFile) override;
  static int WriteBody(IRecordD* pData);

private:
  std::uint64_t m_nDataPos = 0;
};

class PVK_API CPZARRecordElemCsys_130 final : public CPZARRecordElemCsys {};

class PVK_API CPZARRecordElemCsys_140 final : public CPZARRecordElemCsys {
protected:
  int _Write(IRecordD* pData) override { return WriteBody(pData); }
};

// What a writer hands the version-140 record: count × 6 reals of the given width (floats for
// 4, doubles for 8), axis 1 then axis 2 per element; null writes nothing.
class PVK_API CRecordElemCsysD : public IRecordD {
public:
  using IRecordD::IRecordD;

  std::int32_t m_nRealWidth = 8;
  const void* m_pAxes = nullptr;
  std::int32_t m_nCount = 0;
};
