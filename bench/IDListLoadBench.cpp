// Loading an id list of 50,000,000 ids from a scanned result file into a reused array,
// against a raw pread() of the same bytes into the same array in the same run. Warm page cache.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "BenchResultFile.h"
#include "resultfile/PZARFile.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/PZARRecordNodeElemIDList.h"

namespace {

constexpr std::int32_t kIDs = 50'000'000;
constexpr off_t kIDsOffset = 12 + 8;  // version information, then the list's header

const BenchResultFile& IDFile() {
  static const BenchResultFile s_file("idlist", [](CPZARFileWriter_140& writer) {
    std::vector<std::int32_t> ids(kIDs);
    for (std::int32_t i = 0; i < kIDs; ++i) ids[i] = 3 * i + 1;
    CRecordIDListD data(writer.GetFile(), ids.data(), kIDs);
    return writer.WriteRecordHeader(PZAR_RECORD_TYPE::NODE_ID_LIST, kIDs) &&
           CPZARRecordNodeIDList_140().Write(&data);
  });
  return s_file;
}

// Shared by both benchmarks, so that neither pays for first touches of fresh pages.
zar::MArray<std::int32_t>& Destination() {
  static zar::MArray<std::int32_t> s_ids(kIDs);
  return s_ids;
}

void SetBytes(benchmark::State& state) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kIDs * 4);
}

void BM_IDListLoadData(benchmark::State& state) {
  CPZARFile file;
  if (file.Scan(IDFile().Wide()) != 1) state.SkipWithError("scan failed");
  auto* list =
      PZARRecordCast<CPZARRecordNodeIDList>(file.GetRecord(PZAR_RECORD_TYPE::NODE_ID_LIST));
  auto& ids = Destination();
  for (auto _ : state) {
    if (!list || list->LoadData(ids, nullptr, nullptr) != 1) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(ids.data());
  }
  SetBytes(state);
}
BENCHMARK(BM_IDListLoadData)->Unit(benchmark::kMillisecond);

void BM_RawRead(benchmark::State& state) {
  const int fd = ::open(IDFile().Path().c_str(), O_RDONLY);
  auto& ids = Destination();
  const std::size_t bytes = std::size_t{kIDs} * 4;
  for (auto _ : state) {
    std::size_t done = 0;
    auto* p = reinterpret_cast<char*>(ids.data());
    while (done < bytes) {
      const ssize_t n = ::pread(fd, p + done, bytes - done, kIDsOffset + static_cast<off_t>(done));
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    if (done != bytes) state.SkipWithError("short read");
    benchmark::DoNotOptimize(ids.data());
  }
  ::close(fd);
  SetBytes(state);
}
BENCHMARK(BM_RawRead)->Unit(benchmark::kMillisecond);

}  // namespace
