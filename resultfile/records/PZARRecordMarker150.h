#pragma once
// The body-less markers of format 150: the end of a sub-case (type 10017) and the result
// type (type 10014).
#include <cstdint>

#include "qve_pvk_export.h"
#include "resultfile/PZARRecord.h"
#include "resultfile/records/PZARRecordVersions.h"

class PVK_API CPZARRecordSubcase : public CPZARRecord {
public:
  static constexpr std::int32_t kType = PZAR_RECORD_TYPE::SUBCASE;
  std::int32_t GetType() const override;

protected:
  // Passes over the 8-byte position at which the sub-case ends.
  int _Scan(CFile& file) override;
  int _WriteEcho(FILE* pFile) override;
};

class PVK_API CPZARRecordResultType_150 final : public CPZARRecord {
public:
  static constexpr std::int32_t kType = PZAR_RECORD_TYPE::RESULT_TYPE;
  std::int32_t GetType() const override;

protected:
  int _Scan(CFile&) override { return 1; }
  int _WriteEcho(FILE* pFile) override;
};

using CPZARRecordSubcase_150 = TPZARRecordReadOnly<CPZARRecordSubcase>;
