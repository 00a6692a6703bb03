// Loading a cached result vector against a plain read() of the same bytes.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "base/File.h"
#include "datastore/PostCacheFileUnitResultDataLoader.h"

namespace {

constexpr std::uint32_t kCount = 32u << 20;  // 32 M doubles, 256 MiB
constexpr std::uint64_t kOffset = 4096;
constexpr std::size_t kBytes = std::size_t{kCount} * sizeof(double);

// The cache file, written once in large chunks as a host would, and removed at exit.
class BenchCacheFile {
public:
  BenchCacheFile() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "pvk-bench-XXXXXX").string();
    const int fd = ::mkstemp(tmpl.data());
    if (fd < 0) std::abort();
    m_path = tmpl;
    std::vector<double> chunk(1u << 20);
    std::vector<char> header(kOffset, 0);
    bool ok = ::write(fd, header.data(), header.size()) == static_cast<ssize_t>(kOffset);
    for (std::uint32_t done = 0; ok && done < kCount; done += chunk.size()) {
      for (std::size_t i = 0; i < chunk.size(); ++i) chunk[i] = 0.5 * (done + i);
      const std::size_t bytes = chunk.size() * sizeof(double);
      ok = ::write(fd, chunk.data(), bytes) == static_cast<ssize_t>(bytes);
    }
    ok = ok && ::fsync(fd) == 0;  // no writeback left to disturb the timed reads
    ::close(fd);
    if (!ok) std::abort();
    const std::wstring wide(m_path.begin(), m_path.end());
    if (!m_file.Open(wide.c_str(), CFile::modeRead)) std::abort();
  }
  ~BenchCacheFile() {
    m_file.Close();
    std::remove(m_path.c_str());
  }
  CFile& File() { return m_file; }

private:
  std::string m_path;
  CFile m_file;
};

BenchCacheFile& CacheFile() {
  static BenchCacheFile file;
  return file;
}

// One destination for the raw read and the reused-array load, so that both write the same
// memory and differ only in the code path.
zar::MArray<double>& Destination() {
  static zar::MArray<double> values(kCount);
  return values;
}

void BM_RawRead(benchmark::State& state) {
  const int fd = CacheFile().File().GetHandle();
  zar::MArray<double>& buffer = Destination();
  for (auto _ : state) {
    ::lseek(fd, kOffset, SEEK_SET);
    std::size_t done = 0;
    while (done < kBytes) {
      const ssize_t n = ::read(fd, reinterpret_cast<char*>(buffer.data()) + done, kBytes - done);
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    if (done != kBytes) state.SkipWithError("short read");
    benchmark::DoNotOptimize(buffer.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kBytes));
}

void BM_LoaderReusedArray(benchmark::State& state) {
  CPostCacheFileUnitResultDataLoader loader({&CacheFile().File(), kOffset, kCount});
  zar::MArray<double>& values = Destination();
  for (auto _ : state) {
    if (!loader.LoadData(values, nullptr, nullptr)) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(values.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kBytes));
}

// Page faults of the new array dominate here; kept apart from the reused case.
void BM_LoaderFreshArray(benchmark::State& state) {
  CPostCacheFileUnitResultDataLoader loader({&CacheFile().File(), kOffset, kCount});
  for (auto _ : state) {
    zar::MArray<double> values;
    if (!loader.LoadData(values, nullptr, nullptr)) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(values.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kBytes));
}

}  // namespace

BENCHMARK(BM_RawRead)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoaderReusedArray)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoaderFreshArray)->Unit(benchmark::kMillisecond)->UseRealTime();
