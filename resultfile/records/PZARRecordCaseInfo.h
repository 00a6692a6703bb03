#pragma once
// Case information (type 12): the analysis type and title of a sub-case.
#include <cstdint>

#include "base/CString.h"
#include "qve_pvk_export.h"
#include "resultfile/PZARRecord.h"
#include "resultfile/records/PZARRecordVersions.h"

class PVK_API CPZARRecordCaseInfo : public CPZARRecord {
public:
  static constexpr std::int32_t kType = PZAR_RECORD_TYPE::CASE_INFO;
  std::int32_t GetType() const override;
  std::int32_t GetAnalType() const { return m_nAnalType; }
  const CString& GetTitle() const { return m_strTitle; }

protected:
  int _Scan(CFile& file) override;
  int _WriteEcho(FILE* pFile) override;
  static int WriteBody(IRecordD* pData);

private:
  std::int32_t m_nAnalType = 0;
  CString m_strTitle;
};

// What a writer hands the version-140 record.
class PVK_API CRecordCaseInfoD : public IRecordD {
public:
  using IRecordD::IRecordD;

  std::int32_t m_nAnalType = 0;
  CString m_strTitle;
};

using CPZARRecordCaseInfo_130 = TPZARRecordReadOnly<CPZARRecordCaseInfo>;
using CPZARRecordCaseInfo_140 = TPZARRecord_140<CPZARRecordCaseInfo>;
