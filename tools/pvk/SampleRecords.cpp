#include "SampleRecords.h"

#include <algorithm>
#include <filesystem>

#include "base/ConvertString.h"
#include "resultfile/PZARModelWriter150.h"
#include "resultfile/RecordFactory.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/PZARRecordCaseInfo.h"
#include "resultfile/records/PZARRecordIDList.h"
#include "resultfile/records/PZARRecordOutputSet.h"
#include "resultfile/records/PZARRecordSolverInfo.h"
#include "resultfile/records/PZARRecordVector.h"

namespace {

constexpr std::int32_t kUnitN = 2, kUnitMm = 2, kUnitJ = 2;

}  // namespace

bool CSampleRecordWriter::Open(const std::string& path, std::int32_t format) {
  return m_writer.OpenFile(CString(zar::lib::MConvertString::ToWide(path, CP_UTF8)), 1, 0) &&
         (format == 140 ? m_writer.WriteFileVerinfo()
                        : pzar_writer::WriteFileHeader(m_writer, format));
}

bool CSampleRecordWriter::Finish() {
  const bool ok = m_writer.WriteEndOfFile();
  return m_writer.CloseFile() && ok;
}

bool CSampleRecordWriter::Add(std::int32_t type, std::int32_t id, IRecordD& data) {
  auto record = CPZARRecordFactory::GetInstance().Create(type, PZAR_RECORD_VER::VER_140);
  return record && m_writer.WriteRecordHeader(type, id) && record->Write(&data);
}

bool CSampleRecordWriter::Solver(const wchar_t* name) {
  CRecordSolverInfoD info(m_writer.GetFile());
  info.m_strSolverName = name;
  info.m_nLength = kUnitMm;
  info.m_nForce = kUnitN;
  info.m_nEnergy = kUnitJ;
  return Add(PZAR_RECORD_TYPE::SOLVER_INFO, 0, info);
}

bool CSampleRecordWriter::Case(const wchar_t* title, std::int32_t analType) {
  CRecordCaseInfoD info(m_writer.GetFile());
  info.m_nAnalType = analType;
  info.m_strTitle = title;
  return Add(PZAR_RECORD_TYPE::CASE_INFO, 0, info);
}

bool CSampleRecordWriter::OutputSet(double value, const CString& title) {
  const float single = static_cast<float>(value);
  CRecordOutputSetD set(m_writer.GetFile());
  set.m_nRealWidth = m_nRealWidth;
  set.m_pSetValue = m_nRealWidth == 4 ? static_cast<const void*>(&single) : &value;
  set.m_strTitle = title;
  return Add(PZAR_RECORD_TYPE::OUTPUT_SET, 0, set);
}

bool CSampleRecordWriter::IDs(std::int32_t type, const std::vector<std::int32_t>& ids) {
  const auto count = static_cast<std::int32_t>(ids.size());
  CRecordIDListD list(m_writer.GetFile(), ids.data(), count);
  return Add(type, count, list);
}

bool CSampleRecordWriter::Vector(std::int32_t comp, std::int32_t dataType,
                                 const std::vector<double>& values, const wchar_t* name) {
  const bool narrow = m_nRealWidth == 4;
  const std::vector<float> singles(values.begin(), values.end());
  const auto [lo, hi] = std::minmax_element(values.begin(), values.end());
  const double range[2] = {*lo, *hi};
  const float narrowRange[2] = {static_cast<float>(*lo), static_cast<float>(*hi)};
  CRecordVectorD data(m_writer.GetFile());
  data.m_ints.m_nDataType = dataType;
  data.m_nRealWidth = m_nRealWidth;
  data.m_strName = name;
  data.m_pMinVal = narrow ? static_cast<const void*>(&narrowRange[0]) : &range[0];
  data.m_pMaxVal = narrow ? static_cast<const void*>(&narrowRange[1]) : &range[1];
  data.m_pValues = narrow ? static_cast<const void*>(singles.data()) : values.data();
  data.m_nCount = static_cast<std::int32_t>(values.size());
  return Add(PZAR_RECORD_TYPE::VECTOR, comp, data);
}

std::string RenameParts(const std::vector<std::string>& paths, bool written,
                        const std::string& whyNot) {
  std::string why = whyNot;
  std::error_code ec;
  // The result file last: while it is missing, nothing looks whole.
  for (std::size_t i = paths.size(); written && !ec && i-- > 0;)
    std::filesystem::rename(paths[i] + ".part", paths[i], ec);
  if (ec) why = ec.message();
  for (const std::string& path : paths) std::filesystem::remove(path + ".part", ec);
  return why;
}
