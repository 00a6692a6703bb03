#pragma once
// Writes result files for tests through the library's own writer and version-140 record
// classes, so that what tests read is what a solver linked to the library would write.
//
//   CResultFileBuilder file(path, 140, 4);
//   file.Solver(L"S");
//   file.IDList(PZAR_RECORD_TYPE::NODE_ID_LIST, {1, 2, 3});
//   file.Finish();
#include <algorithm>
#include <cstdint>
#include <vector>

#include "base/CString.h"
#include "base/FileException.h"
#include "resultfile/PZARFileWriter140.h"
#include "resultfile/PZARModelWriter150.h"
#include "resultfile/RecordFactory.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/PZARRecordCaseInfo.h"
#include "resultfile/records/PZARRecordIDList.h"
#include "resultfile/records/PZARRecordOutputSet.h"
#include "resultfile/records/PZARRecordSolverInfo.h"
#include "resultfile/records/PZARRecordVector.h"
#include "resultfile/records/PZARResultInfo.h"

class CResultFileBuilder {
public:
  // Formats 130 and 150 have no offset table: they get the 8-byte file header.
  CResultFileBuilder(const CString& path, std::int32_t version = 140, std::int32_t floatSize = 8)
      : m_writer(floatSize) {
    m_bOk = m_writer.OpenFile(path, 1, 0) &&
            (version == 140 ? m_writer.WriteFileVerinfo()
                            : pzar_writer::WriteFileHeader(m_writer, version));
  }

  CFile* File() { return m_writer.GetFile(); }
  IPostFileWriter& Writer() { return m_writer; }
  std::int32_t FloatSize() const { return m_writer.GetFloatSize(); }
  // False once any write failed.
  bool Ok() const { return m_bOk; }

  // A header with `id`, then the body that the version-140 class of `type` writes.
  bool Add(std::int32_t type, std::int32_t id, IRecordD& data) {
    auto record = CPZARRecordFactory::GetInstance().Create(type, PZAR_RECORD_VER::VER_140);
    return Keep(record && m_writer.WriteRecordHeader(type, id) && record->Write(&data));
  }

  bool IDList(std::int32_t type, const std::vector<std::int32_t>& ids) {
    const auto n = static_cast<std::int32_t>(ids.size());
    CRecordIDListD data(File(), ids.data(), n);
    return Add(type, n, data);
  }
  bool Solver(const CString& name, std::int32_t codePage = 0) {
    CRecordSolverInfoD data(File());
    data.m_strSolverName = name;
    data.m_nCodePage = codePage;
    return Add(PZAR_RECORD_TYPE::SOLVER_INFO, 0, data);
  }
  bool CaseInfo(std::int32_t analType, const CString& title) {
    CRecordCaseInfoD data(File());
    data.m_nAnalType = analType;
    data.m_strTitle = title;
    return Add(PZAR_RECORD_TYPE::CASE_INFO, 0, data);
  }
  bool OutputSet(double value, const CString& title, std::int32_t analType = 0) {
    const float single = static_cast<float>(value);
    CRecordOutputSetD data(File());
    data.m_nRealWidth = FloatSize();
    data.m_nAnalType = analType;
    data.m_pSetValue = FloatSize() == 4 ? static_cast<const void*>(&single) : &value;
    data.m_strTitle = title;
    return Add(PZAR_RECORD_TYPE::OUTPUT_SET, 0, data);
  }

  // A data vector of component `compId` over the id list in force (data type 0: nodes, else
  // elements), its values and range in the file's real width; `related`: the component ids of
  // an element vector's corner vectors.
  bool Vector(std::int32_t compId, std::int32_t dataType, const std::vector<double>& values,
              const CString& name = L"V", const std::vector<std::int32_t>& related = {}) {
    std::vector<float> singles(values.begin(), values.end());
    const bool narrow = FloatSize() == 4;
    double range[2] = {0.0, 0.0};
    for (const double v : values) {
      range[0] = std::min(range[0], v);
      range[1] = std::max(range[1], v);
    }
    const float narrowRange[2] = {static_cast<float>(range[0]), static_cast<float>(range[1])};
    CRecordVectorD data(File());
    data.m_ints.m_nDataType = dataType;
    std::copy_n(related.begin(), std::min<std::size_t>(related.size(), 8),
                data.m_ints.m_nComponent);
    data.m_nRealWidth = FloatSize();
    data.m_strName = name;
    data.m_pMinVal = narrow ? static_cast<const void*>(&narrowRange[0]) : &range[0];
    data.m_pMaxVal = narrow ? static_cast<const void*>(&narrowRange[1]) : &range[1];
    data.m_pValues = narrow ? static_cast<const void*>(singles.data()) : values.data();
    data.m_nCount = static_cast<std::int32_t>(values.size());
    return Add(PZAR_RECORD_TYPE::VECTOR, compId, data);
  }

  // Entity case information over the id list in force and the result ids before it: the
  // information block (range 0 to 0, no name), then the values. No record class writes it.
  bool EntityCaseInfo(const TPZARResultInts& ints, const std::vector<unsigned>& values) {
    const double range = 0.0;
    const float narrowRange = 0.0f;
    const void* pRange = FloatSize() == 4 ? static_cast<const void*>(&narrowRange) : &range;
    try {
      if (!m_writer.WriteRecordHeader(PZAR_RECORD_TYPE::ENTITY_CASE_INFO, 0)) return Keep(false);
      TPZARResultInfo::Write(*File(), ints, FloatSize(), pRange, pRange, L"");
      File()->Write(values.data(), static_cast<unsigned>(values.size() * sizeof(unsigned)));
    } catch (const CFileException&) {
      return Keep(false);
    }
    return true;
  }

  // The end marker, then the file is closed; true when every write succeeded.
  bool Finish() { return Keep(m_writer.WriteEndOfFile()) && Keep(m_writer.CloseFile()); }

private:
  bool Keep(bool ok) {
    m_bOk = m_bOk && ok;
    return ok;
  }

  CPZARFileWriter_140 m_writer;
  bool m_bOk = false;
};
