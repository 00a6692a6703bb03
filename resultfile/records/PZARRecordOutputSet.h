#pragma once
// Output set (type 13): one step of a case, with its set value (time, load factor,
// frequency...), analysis type and title.
#include <cstdint>

#include "base/CString.h"
#include "qve_pvk_export.h"
#include "resultfile/PZARRecord.h"
#include "resultfile/records/PZARRecordVersions.h"

class PVK_API CPZARRecordOutputSet : public CPZARRecord {
public:
  static constexpr std::int32_t kType = PZAR_RECORD_TYPE::OUTPUT_SET;
  std::int32_t GetType() const override;
  std::int32_t GetAnalType() const { return m_nAnalType; }
  double GetSetValue() const { return m_rSetValue; }
  const CString& GetTitle() const { return m_strTitle; }

protected:
  int _Scan(CFile& file) override;
  int _WriteEcho(FILE* pFile) override;
  static int WriteBody(IRecordD* pData);

private:
  // A title carrying the set-value marker gets the value in place of the marker and the rest.
  void CompleteTitle();

  double m_rSetValue = 0.0;
  std::int32_t m_nAnalType = 0;
  CString m_strTitle;
};

// What a writer hands the version-140 record; the width must be the file's real width.
class PVK_API CRecordOutputSetD : public IRecordD {
public:
  using IRecordD::IRecordD;

  std::int32_t m_nRealWidth = 8;
  std::int32_t m_nAnalType = 0;
  const void* m_pSetValue = nullptr;  // a double for width 8, else a float
  CString m_strTitle;
};

using CPZARRecordOutputSet_130 = TPZARRecordReadOnly<CPZARRecordOutputSet>;
using CPZARRecordOutputSet_140 = TPZARRecord_140<CPZARRecordOutputSet>;
