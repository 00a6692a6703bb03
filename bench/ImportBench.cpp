// Importing a large result file into a session against scanning it alone, at 25, 50 and 100
// steps (5 sub-cases), each step with 12 nodal and 12 element components over 100,000 nodes
// and elements.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "BenchResultFile.h"
#include "resultfile/PZARFile.h"
#include "resultfile/RecordFactory.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/PZARRecordCaseInfo.h"
#include "resultfile/records/PZARRecordIDList.h"
#include "resultfile/records/PZARRecordOutputSet.h"
#include "resultfile/records/PZARRecordVector.h"
#include "session/POHTypes.h"
#include "session/QVEPOHSession.h"

namespace {

constexpr std::int32_t kEntities = 100000;
constexpr std::int32_t kSubCases = 5;
constexpr std::int32_t kNodeComps[] = {101, 102, 103,  104,  105,  106,
                                       107, 108, 7201, 7202, 7203, 7204};
constexpr std::int32_t kElemComps[] = {312101, 312102, 312103, 312104, 312105, 312106,
                                       312107, 312108, 312109, 312110, 312111, 312112};

bool Write(CPZARFileWriter_140& writer, std::int32_t type, std::int32_t id, IRecordD& data) {
  auto record = CPZARRecordFactory::GetInstance().Create(type, PZAR_RECORD_VER::VER_140);
  return record && writer.WriteRecordHeader(type, id) && record->Write(&data);
}

bool WriteVectors(CPZARFileWriter_140& writer, std::int32_t listType, const std::int32_t* ids,
                  const std::int32_t* comps, const std::vector<float>& values) {
  CRecordIDListD list(writer.GetFile(), ids, kEntities);
  if (!Write(writer, listType, kEntities, list)) return false;
  const float range[2] = {0.0f, 1.0f};
  for (std::size_t c = 0; c < 12; ++c) {
    CRecordVectorD data(writer.GetFile());
    data.m_ints.m_nDataType = listType == PZAR_RECORD_TYPE::NODE_ID_LIST ? 0 : 1;
    data.m_nRealWidth = 4;
    data.m_pMinVal = &range[0];
    data.m_pMaxVal = &range[1];
    data.m_pValues = values.data();
    data.m_nCount = kEntities;
    if (!Write(writer, PZAR_RECORD_TYPE::VECTOR, comps[c], data)) return false;
  }
  return true;
}

bool Fill(CPZARFileWriter_140& writer, std::int32_t steps) {
  std::vector<std::int32_t> ids(kEntities);
  std::iota(ids.begin(), ids.end(), 1);
  const std::vector<float> values(kEntities, 0.5f);
  for (std::int32_t s = 0; s < steps; ++s) {
    if (s % (steps / kSubCases) == 0) {
      CRecordCaseInfoD info(writer.GetFile());
      info.m_nAnalType = 1;
      info.m_strTitle = CString(L"CASE ") + CString(std::to_wstring(s).c_str());
      if (!Write(writer, PZAR_RECORD_TYPE::CASE_INFO, 0, info)) return false;
    }
    const double value = s;
    CRecordOutputSetD set(writer.GetFile());
    set.m_nRealWidth = 4;
    const float single = static_cast<float>(value);
    set.m_pSetValue = &single;
    set.m_strTitle = CString(L"STEP ") + CString(std::to_wstring(s).c_str());
    if (!Write(writer, PZAR_RECORD_TYPE::OUTPUT_SET, 0, set) ||
        !WriteVectors(writer, PZAR_RECORD_TYPE::NODE_ID_LIST, ids.data(), kNodeComps, values) ||
        !WriteVectors(writer, PZAR_RECORD_TYPE::ELEM_ID_LIST, ids.data(), kElemComps, values))
      return false;
  }
  return true;
}

const BenchResultFile& FileOf(std::int32_t steps) {
  static std::map<std::int32_t, std::unique_ptr<BenchResultFile>> files;
  auto& pFile = files[steps];
  if (!pFile)
    pFile = std::make_unique<BenchResultFile>(
        "import-" + std::to_string(steps),
        [steps](CPZARFileWriter_140& writer) { return Fill(writer, steps); }, 4);
  return *pFile;
}

void BM_Scan(benchmark::State& state) {
  const auto steps = static_cast<std::int32_t>(state.range(0));
  const BenchResultFile& file = FileOf(steps);
  for (auto _ : state) {
    CPZARFile scanned;
    if (!scanned.Scan(file.Wide())) state.SkipWithError("scan failed");
  }
  state.counters["steps"] = steps;
}
BENCHMARK(BM_Scan)->Arg(25)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_ScanAndImport(benchmark::State& state) {
  const auto steps = static_cast<std::int32_t>(state.range(0));
  const BenchResultFile& file = FileOf(steps);
  std::int64_t kept = 0;
  for (auto _ : state) {
    CPZARFile scanned;
    CQVEPOHSession session;
    if (!scanned.Scan(file.Wide()) || !scanned.CreatePOH(&session, nullptr, 0))
      state.SkipWithError("import failed");
    kept = session.GetPOHPool(pvk::POH_LEVEL_VCAS)->GetSize();
  }
  state.counters["steps"] = static_cast<double>(kept);
  state.counters["s_per_step"] =
      benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
}
BENCHMARK(BM_ScanAndImport)->Arg(25)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace
