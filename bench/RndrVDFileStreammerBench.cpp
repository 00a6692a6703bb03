// Streaming the frames of an animation into the streamer's memory file and reading them back,
// against a plain memcpy of the same bytes into and out of an ordinary array. Bytes processed
// count each frame byte once (written and read back).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "render/RndrVDFileStreammer.h"

namespace {

constexpr std::size_t kFrames = 100;
constexpr std::size_t kFrameBytes = std::size_t{1} << 20;
constexpr std::size_t kTotalBytes = kFrames * kFrameBytes;

// The frames as the render data streams would produce them.
const std::vector<char>& Source() {
  static const std::vector<char> bytes = [] {
    std::vector<char> b(kTotalBytes);
    for (std::size_t i = 0; i < b.size(); ++i) b[i] = static_cast<char>(i * 131 + (i >> 20));
    return b;
  }();
  return bytes;
}

// Where one frame is read back to, reused by every case.
char* Frame() {
  static std::vector<char> frame(kFrameBytes, 1);
  return frame.data();
}

void Finish(benchmark::State& state) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kTotalBytes));
}

// Writes every frame and reads it back; false when the streamer refuses one.
bool StreamFrames(CRndrVDFileStreammer& streamer) {
  const char* source = Source().data();
  std::uint64_t offsets[kFrames];
  for (std::size_t f = 0; f < kFrames; ++f) {
    char* buffer = streamer.AddStreamBuffer(kFrameBytes, offsets[f]);
    if (!buffer) return false;
    std::memcpy(buffer, source + f * kFrameBytes, kFrameBytes);
  }
  for (std::size_t f = 0; f < kFrames; ++f) {
    const char* buffer = streamer.GetStreamBuffer(kFrameBytes, offsets[f]);
    if (!buffer) return false;
    std::memcpy(Frame(), buffer, kFrameBytes);
    benchmark::DoNotOptimize(Frame());
  }
  return true;
}

void CopyFrames(char* store) {
  const char* source = Source().data();
  for (std::size_t f = 0; f < kFrames; ++f)
    std::memcpy(store + f * kFrameBytes, source + f * kFrameBytes, kFrameBytes);
  for (std::size_t f = 0; f < kFrames; ++f) {
    std::memcpy(Frame(), store + f * kFrameBytes, kFrameBytes);
    benchmark::DoNotOptimize(Frame());
  }
}

// The anchor: the same copies into a reused, already touched array.
void BM_MemcpyReused(benchmark::State& state) {
  std::vector<char> store(kTotalBytes, 1);
  for (auto _ : state) CopyFrames(store.data());
  Finish(state);
}

// One streamer through the animation's passes: Clear keeps the memory file's pages.
void BM_StreamerReused(benchmark::State& state) {
  CRndrVDFileStreammer streamer;
  for (auto _ : state) {
    streamer.Clear();
    if (!StreamFrames(streamer)) state.SkipWithError("streamer refused a frame");
  }
  Finish(state);
}

// First touch: a fresh array against a fresh streamer, whose file pages are all new.
void BM_MemcpyFresh(benchmark::State& state) {
  for (auto _ : state) {
    const auto store = std::make_unique_for_overwrite<char[]>(kTotalBytes);
    CopyFrames(store.get());
  }
  Finish(state);
}

void BM_StreamerFresh(benchmark::State& state) {
  for (auto _ : state) {
    CRndrVDFileStreammer streamer;
    if (!StreamFrames(streamer)) state.SkipWithError("streamer refused a frame");
  }
  Finish(state);
}

BENCHMARK(BM_MemcpyReused)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_StreamerReused)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MemcpyFresh)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_StreamerFresh)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
