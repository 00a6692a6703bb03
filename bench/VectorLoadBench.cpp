// Loading a data vector record from a result file, against a plain read() of the same bytes.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "base/File.h"
#include "resultfile/PZARFile.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/PZARRecordVector.h"
#include "session/MemModelDB.h"

namespace {

constexpr std::int32_t kCount = 32 << 20;  // 32 M values
constexpr std::int32_t kIterCount = 1000000;

std::wstring Wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

// A format-140 result file of one node id list and one data vector over it, written in large
// pieces as a solver would, and removed at exit.
class BenchResultFile {
public:
  BenchResultFile(std::int32_t count, int width) {
    std::string tmpl = (std::filesystem::temp_directory_path() / "pvk-bench-XXXXXX").string();
    const int fd = ::mkstemp(tmpl.data());
    if (fd < 0) std::abort();
    ::close(fd);
    m_path = tmpl;
    Write(count, width);
    if (!m_file.Scan(Wide(m_path).c_str()) || m_file.GetRecordList().size() != 2) std::abort();
    m_nDataPos = static_cast<off_t>(ValuesOffset(count, width));
    m_nDataBytes = static_cast<std::size_t>(count) * static_cast<std::size_t>(width);
  }
  ~BenchResultFile() {
    m_file.Clear();
    std::remove(m_path.c_str());
  }
  CPZARRecordVector& Vector() {
    return *PZARRecordCast<CPZARRecordVector>(m_file.GetRecordList()[1].get());
  }
  const std::string& Path() const { return m_path; }
  off_t DataPos() const { return m_nDataPos; }
  std::size_t DataBytes() const { return m_nDataBytes; }

private:
  static std::uint64_t ValuesOffset(std::int32_t count, int width) {
    return 12 + 8 + 4ull * static_cast<std::uint64_t>(count) + 8 + 56 + 2ull * width + 80;
  }
  void Write(std::int32_t count, int width) {
    CFile file(Wide(m_path).c_str(), CFile::modeCreate | CFile::modeWrite);
    const std::int32_t head[3] = {140, width == 4 ? 0x454E : 0x4C4244, 0};  // "NE" / "DBL"
    file.Write(head, sizeof(head));
    const std::int32_t nodes[2] = {PZAR_RECORD_TYPE::NODE_ID_LIST, count};
    file.Write(nodes, sizeof(nodes));
    std::vector<std::int32_t> ids(1u << 20);
    for (std::int32_t done = 0; done < count; done += static_cast<std::int32_t>(ids.size())) {
      const auto n = std::min<std::size_t>(ids.size(), static_cast<std::size_t>(count - done));
      std::iota(ids.begin(), ids.begin() + static_cast<std::ptrdiff_t>(n), done + 1);
      file.Write(ids.data(), static_cast<unsigned>(n * sizeof(std::int32_t)));
    }
    const std::int32_t vector[2] = {PZAR_RECORD_TYPE::VECTOR, 101};
    file.Write(vector, sizeof(vector));
    std::vector<double> values(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < values.size(); ++i) values[i] = 0.25 * static_cast<double>(i);
    std::vector<float> singles;
    if (width == 4) singles.assign(values.begin(), values.end());
    const double range[2] = {0.0, 1.0};
    const float rangeF[2] = {0.0f, 1.0f};
    CRecordVectorD data(&file);
    data.m_nRealWidth = width;
    data.m_pMinVal = width == 4 ? static_cast<const void*>(&rangeF[0]) : &range[0];
    data.m_pMaxVal = width == 4 ? static_cast<const void*>(&rangeF[1]) : &range[1];
    data.m_pValues = width == 4 ? static_cast<const void*>(singles.data()) : values.data();
    data.m_nCount = count;
    CPZARRecordVector_140 record;
    if (!record.Write(&data)) std::abort();
    const std::int32_t end[2] = {PZAR_RECORD_TYPE::END_OF_FILE, 0};
    file.Write(end, sizeof(end));
    ::fsync(file.GetHandle());  // no writeback left to disturb the timed reads
  }

  std::string m_path;
  CPZARFile m_file;
  off_t m_nDataPos = 0;
  std::size_t m_nDataBytes = 0;
};

BenchResultFile& DoubleFile() {
  static BenchResultFile file(kCount, 8);
  return file;
}

BenchResultFile& FloatFile() {
  static BenchResultFile file(kCount, 4);
  return file;
}

// One destination for every timed load, so that all write the same, already touched memory.
zar::MArray<double>& Destination() {
  static zar::MArray<double> values(static_cast<std::size_t>(kCount));
  return values;
}

void RawRead(benchmark::State& state, BenchResultFile& file) {
  const int fd = ::open(file.Path().c_str(), O_RDONLY);
  auto* buffer = reinterpret_cast<char*>(Destination().data());
  for (auto _ : state) {
    ::lseek(fd, file.DataPos(), SEEK_SET);
    std::size_t done = 0;
    while (done < file.DataBytes()) {
      const ssize_t n = ::read(fd, buffer + done, file.DataBytes() - done);
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    if (done != file.DataBytes()) state.SkipWithError("short read");
    benchmark::DoNotOptimize(buffer);
  }
  ::close(fd);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.DataBytes()));
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kCount);
}

void Load(benchmark::State& state, BenchResultFile& file) {
  CPZARRecordVector& vector = file.Vector();
  zar::MArray<double>& values = Destination();
  for (auto _ : state) {
    if (!vector.LoadData(values, nullptr, nullptr)) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(values.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.DataBytes()));
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kCount);
}

void BM_RawReadDoubles(benchmark::State& state) { RawRead(state, DoubleFile()); }
void BM_LoadDoubleVector(benchmark::State& state) { Load(state, DoubleFile()); }
void BM_RawReadFloats(benchmark::State& state) { RawRead(state, FloatFile()); }
void BM_LoadFloatVectorWidened(benchmark::State& state) { Load(state, FloatFile()); }

BenchResultFile& SmallDoubleFile() {
  static BenchResultFile file(kIterCount, 8);
  return file;
}

// Page faults of the new array dominate here; kept apart from the reused case. Arg: 32 M or
// 1 M values.
void BM_LoadDoubleVectorFreshArray(benchmark::State& state) {
  const bool bLarge = state.range(0) == kCount;
  CPZARRecordVector& vector = (bLarge ? DoubleFile() : SmallDoubleFile()).Vector();
  for (auto _ : state) {
    zar::MArray<double> values;
    if (!vector.LoadData(values, nullptr, nullptr)) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(values.data());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

// The version-140 load of the values of 1 M node iterators, in shuffled order.
void BM_LoadByNodeIterators(benchmark::State& state) {
  BenchResultFile& file = SmallDoubleFile();
  static CMemModelDB db;
  static zar::MArray<std::uint64_t> itrs;
  if (itrs.empty()) {
    for (std::int32_t id = 1; id <= kIterCount; ++id) itrs.push_back(db.AddNode(id, 0, 0, 0));
    std::shuffle(itrs.begin(), itrs.end(), std::mt19937(7));
  }
  zar::MArray<double> values;
  for (auto _ : state) {
    if (!file.Vector().LoadData(values, itrs, &db)) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(values.data());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kIterCount);
}

}  // namespace

BENCHMARK(BM_RawReadDoubles)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadDoubleVector)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RawReadFloats)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadFloatVectorWidened)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadDoubleVectorFreshArray)
    ->Arg(kCount)
    ->Arg(kIterCount)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_LoadByNodeIterators)->Unit(benchmark::kMillisecond)->UseRealTime();
