// pvk export of one step of the sample cantilever of 1,036,288 nodes and 1,000,188 hexahedra
// (--cells 63): the grid from the model database, a nodal vector (101) and an element result
// (312114) loaded through the value pipeline and written as one raw .vtu (138 MB), or with zlib;
// and a later step of a multi-step export, which keeps the grid and the step's arrays.
// The anchor writes as many bytes with one write() into a fresh file of the same folder, in
// the same run. Warm page cache; the session is opened once; every run writes a fresh file
// (the old one is replaced), so page faults of the arrays and of the page cache count.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "ExportFields.h"
#include "ExportGrid.h"
#include "PvkOptions.h"
#include "PvkSession.h"
#include "SampleFile.h"
#include "session/POHMcas.h"
#include "session/POHVcas.h"
#include "vresult/VResult.h"
#include "vresult/VResultPackage.h"

namespace {

namespace fs = std::filesystem;
using namespace pvk_export;

constexpr std::int32_t kCells = 63;  // 253 x 64 x 64 nodes
constexpr std::int32_t kResults[] = {101, 312114};

struct TSample {
  fs::path folder;
  std::unique_ptr<CPvkSession> pSession;
  std::vector<CVResult*> results;
  ~TSample() {
    pSession.reset();
    fs::remove_all(folder);
  }
};

TSample& Sample() {
  static TSample s;
  if (!s.pSession) {
    s.folder = fs::temp_directory_path() / ("pvk-export-" + std::to_string(::getpid()));
    fs::create_directories(s.folder);
    const std::string file = (s.folder / "big.tkvp").string();
    if (!WriteSampleFiles(file, (s.folder / "big.out").string(), {kCells, 1, 8, 140}).empty())
      std::abort();
    s.pSession = std::make_unique<CPvkSession>(file);
    s.pSession->Model();  // filled once, as an export run fills it before its steps
    const auto [scas, vcas] = s.pSession->SelectCase({});
    std::vector<CVResult*> all;
    s.pSession->Vcas(vcas).GetPackage()->GetAllResults(all);
    for (const std::int32_t id : kResults)
      for (CVResult* vr : all)
        if (vr->GetType() == id) s.results.push_back(vr);
  }
  return s;
}

// The grid and the arrays that an export keeps from one step to the next.
struct TExport {
  TExportGrid grid;
  CArrayPool pool;
  explicit TExport(CPvkSession& session) : grid(BuildGrid(session)) {}

  std::uint64_t Step(bool compress) {
    TSample& s = Sample();
    const TFieldContext context{grid, s.pSession->Model(), nullptr,
                                *s.pSession->Mcas().GetUnitIndex(), pool};
    const fs::path path = s.folder / "big.vtu";
    if (!WriteStep(path.string(), s.results, context, compress).empty()) std::abort();
    return fs::file_size(path);
  }
};

// The whole export of one step: grid and arrays made anew.
std::uint64_t ExportOnce(bool compress) { return TExport(*Sample().pSession).Step(compress); }

void BM_ExportStep(benchmark::State& state) {
  std::uint64_t bytes = 0;
  for (auto _ : state) bytes = ExportOnce(state.range(0) != 0);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
  state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_ExportStep)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// A later step of an --all-steps export: the grid is there, the arrays are the last step's.
void BM_ExportNextStep(benchmark::State& state) {
  TExport run(*Sample().pSession);
  std::uint64_t bytes = run.Step(false);
  for (auto _ : state) bytes = run.Step(false);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_ExportNextStep)->Unit(benchmark::kMillisecond)->UseRealTime();

// The least a writer of the raw file has to do: its bytes, already in one buffer, in one call.
void BM_OneWrite(benchmark::State& state) {
  static const std::uint64_t s_bytes = ExportOnce(false);
  const std::vector<char> buffer(s_bytes, 1);
  const std::string path = (Sample().folder / "anchor.bin").string();
  for (auto _ : state) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0 || ::write(fd, buffer.data(), buffer.size()) != static_cast<ssize_t>(s_bytes))
      state.SkipWithError("write failed");
    ::close(fd);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * s_bytes));
}
BENCHMARK(BM_OneWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
