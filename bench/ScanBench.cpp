// The block scan of result files written by the library's writer, warm in the page cache:
// 200,000 small case and id-list records, and a 1 GiB file whose bulk lies in four id lists
// (its scan should cost what its few records cost, not what its bytes cost). The anchor walks
// the small file's headers and bodies through an unbuffered file, two system calls a record.
// Scan times leave out freeing the records.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "BenchResultFile.h"
#include "base/File.h"
#include "resultfile/PZARFile.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/PZARRecordCaseInfo.h"
#include "resultfile/records/PZARRecordIDList.h"
#include "resultfile/records/PZARRecordNodeElemIDList.h"

namespace {

using namespace PZAR_RECORD_TYPE;

constexpr std::int32_t kGroups = 50'000;  // four records each
constexpr std::int32_t kBulkLists = 4;
constexpr std::int32_t kBulkIDs = 64 << 20;  // 256 MiB a list

bool WriteIDList(CPZARFileWriter_140& writer, std::int32_t type,
                 const std::vector<std::int32_t>& ids) {
  const auto n = static_cast<std::int32_t>(ids.size());
  CRecordIDListD data(writer.GetFile(), ids.data(), n);
  return writer.WriteRecordHeader(type, n) &&
         CPZARRecordFactory::GetInstance().Create(type, PZAR_RECORD_VER::VER_140)->Write(&data);
}

bool WriteCase(CPZARFileWriter_140& writer, std::int32_t i) {
  CRecordCaseInfoD data(writer.GetFile());
  data.m_nAnalType = i;
  data.m_strTitle = L"Case";
  return writer.WriteRecordHeader(CASE_INFO, 0) && CPZARRecordCaseInfo_140().Write(&data);
}

const BenchResultFile& SmallRecords() {
  static const BenchResultFile s_file("scan-small", [](CPZARFileWriter_140& writer) {
    const std::vector<std::int32_t> ids = {1, 2, 3, 4};
    bool ok = true;
    for (std::int32_t i = 0; ok && i < kGroups; ++i) {
      ok = WriteCase(writer, i) && WriteIDList(writer, NODE_ID_LIST, ids) &&
           WriteIDList(writer, ELEM_ID_LIST, ids) && WriteIDList(writer, ACT_ELEM_ID_LIST, ids);
    }
    return ok;
  });
  return s_file;
}

const BenchResultFile& BulkRecords() {
  static const BenchResultFile s_file("scan-bulk", [](CPZARFileWriter_140& writer) {
    std::vector<std::int32_t> ids(kBulkIDs);
    for (std::int32_t i = 0; i < kBulkIDs; ++i) ids[i] = i + 1;
    bool ok = true;
    for (std::int32_t i = 0; ok && i < kBulkLists; ++i) {
      ok = WriteCase(writer, i) && WriteIDList(writer, i % 2 ? ELEM_ID_LIST : NODE_ID_LIST, ids);
    }
    return ok;
  });
  return s_file;
}

void Scan(benchmark::State& state, const BenchResultFile& input, std::size_t records) {
  const CString path = input.Wide();
  for (auto _ : state) {
    auto file = std::make_unique<CPZARFile>();
    if (file->Scan(path) != 1 || file->GetRecordList().size() != records)
      state.SkipWithError("scan failed");
    benchmark::DoNotOptimize(file->GetRecordList().data());
    state.PauseTiming();
    file.reset();
    state.ResumeTiming();
  }
  state.counters["records/s"] = benchmark::Counter(static_cast<double>(records),
                                                   benchmark::Counter::kIsIterationInvariantRate);
}

void BM_ScanSmallRecords(benchmark::State& state) { Scan(state, SmallRecords(), 4 * kGroups); }
BENCHMARK(BM_ScanSmallRecords)->Unit(benchmark::kMillisecond);

void BM_ScanBulkIDLists1GiB(benchmark::State& state) { Scan(state, BulkRecords(), 2 * kBulkLists); }
BENCHMARK(BM_ScanBulkIDLists1GiB)->Unit(benchmark::kMicrosecond);

// The whole life of the file object: scan, then free the records.
void BM_ScanAndFreeSmallRecords(benchmark::State& state) {
  const CString path = SmallRecords().Wide();
  for (auto _ : state) {
    CPZARFile file;
    if (file.Scan(path) != 1) state.SkipWithError("scan failed");
  }
  state.counters["records/s"] =
      benchmark::Counter(4 * kGroups, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ScanAndFreeSmallRecords)->Unit(benchmark::kMillisecond);

// Anchor: each header and body read by its own system call.
void BM_UnbufferedRecordWalk(benchmark::State& state) {
  CFile file(SmallRecords().Wide(), CFile::modeRead);
  std::vector<char> body(1024);
  for (auto _ : state) {
    file.Seek(12, CFile::begin);
    std::int32_t header[2];
    std::int32_t count = 0;
    while (file.Read(header, sizeof(header)) == sizeof(header) && header[0] != -1) {
      const unsigned bytes = header[0] == CASE_INFO ? 84 : 4u * static_cast<unsigned>(header[1]);
      count += file.Read(body.data(), bytes) == bytes;
    }
    benchmark::DoNotOptimize(count);
  }
  state.counters["records/s"] =
      benchmark::Counter(4 * kGroups, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_UnbufferedRecordWalk)->Unit(benchmark::kMillisecond);

}  // namespace
