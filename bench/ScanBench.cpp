// The block scan of a result file of 200,000 small records (16-byte bodies), warm in the page
// cache, against the same walk through an unbuffered file (two system calls per record). The
// scan's time leaves out freeing the records.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "base/File.h"
#include "resultfile/PZARFile.h"
#include "resultfile/RecordFactory.h"

namespace {

constexpr std::int32_t kRecords = 200'000;
constexpr std::int32_t kType = 9101;
constexpr unsigned kBody = 16;

class CBenchRecord : public CPZARRecord {
public:
  std::int32_t GetType() const override { return kType; }

protected:
  int _Scan(CFile& file) override { return file.Read(m_body, kBody) == kBody; }

private:
  char m_body[kBody];
};

const CPZARRecordRegistrar<CBenchRecord> s_register(kType, PZAR_RECORD_VER::VER_130);

// The test file, written once and removed at exit.
class BenchFile {
public:
  BenchFile() {
    m_path = (std::filesystem::temp_directory_path() /
              ("pvk-scanbench-" + std::to_string(::getpid()) + ".pzar"))
                 .string();
    std::vector<std::int32_t> words = {130, 0x4C4244};  // "DBL"
    for (std::int32_t i = 0; i < kRecords; ++i) words.insert(words.end(), {kType, i, i, 0, 0, i});
    words.insert(words.end(), {-1, 0});
    std::ofstream(m_path, std::ios::binary)
        .write(reinterpret_cast<const char*>(words.data()),
               static_cast<std::streamsize>(words.size() * sizeof(std::int32_t)));
  }
  ~BenchFile() { std::filesystem::remove(m_path); }
  CString Wide() const { return CString(std::wstring(m_path.begin(), m_path.end())); }

private:
  std::string m_path;
};

const BenchFile& File() {
  static const BenchFile s_file;
  return s_file;
}

void BM_ScanPZARFile(benchmark::State& state) {
  const CString path = File().Wide();
  for (auto _ : state) {
    auto file = std::make_unique<CPZARFile>();
    if (file->Scan(path) != 1 || file->GetRecordList().size() != kRecords)
      state.SkipWithError("scan failed");
    benchmark::DoNotOptimize(file->GetRecordList().data());
    // Freeing the records is not part of the scan.
    state.PauseTiming();
    file.reset();
    state.ResumeTiming();
  }
  state.counters["records/s"] =
      benchmark::Counter(kRecords, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ScanPZARFile)->Unit(benchmark::kMillisecond);

// The whole life of the file object: scan, then free the records.
void BM_ScanAndFreePZARFile(benchmark::State& state) {
  const CString path = File().Wide();
  for (auto _ : state) {
    CPZARFile file;
    if (file.Scan(path) != 1) state.SkipWithError("scan failed");
  }
  state.counters["records/s"] =
      benchmark::Counter(kRecords, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ScanAndFreePZARFile)->Unit(benchmark::kMillisecond);

// Anchor: header and body read one by one through the unbuffered file.
void BM_UnbufferedRecordWalk(benchmark::State& state) {
  CFile file(File().Wide(), CFile::modeRead);
  for (auto _ : state) {
    file.Seek(8, CFile::begin);
    std::int32_t header[2];
    char body[kBody];
    std::int32_t count = 0;
    while (file.Read(header, sizeof(header)) == sizeof(header) && header[0] != -1) {
      count += file.Read(body, kBody) == kBody;
    }
    benchmark::DoNotOptimize(count);
  }
  state.counters["records/s"] =
      benchmark::Counter(kRecords, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_UnbufferedRecordWalk)->Unit(benchmark::kMillisecond);

}  // namespace
