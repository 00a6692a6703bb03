// Counting 10 M values into the bands of a legend of 10 ranks (9 bands), against a plain sum of
// the same values (the memory-bandwidth anchor) and the counting rule written as a loop with
// branches. The values are made once and stay warm in memory; nothing is written per value.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

#include "render/LegendBandCounter.h"

namespace {

constexpr std::size_t N_VALUES = 10'000'000;
constexpr std::size_t N_RANKS = 10;
constexpr double R_TOP = 100.0;

const std::vector<double>& Values() {
  static const std::vector<double> values = [] {
    std::mt19937_64 rng(17);
    std::uniform_real_distribution<double> u(0.0, R_TOP);
    std::vector<double> v(N_VALUES);
    for (double& x : v) x = u(rng);
    return v;
  }();
  return values;
}

std::vector<double> Ranks() {
  std::vector<double> r(N_RANKS);
  for (std::size_t i = 0; i < N_RANKS; ++i) r[i] = R_TOP * static_cast<double>(i) / (N_RANKS - 1);
  return r;
}

void BM_SumAnchor(benchmark::State& state) {
  const std::vector<double>& v = Values();
  for (auto _ : state) benchmark::DoNotOptimize(std::accumulate(v.begin(), v.end(), 0.0));
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * N_VALUES));
}
BENCHMARK(BM_SumAnchor)->Unit(benchmark::kMillisecond);

// The rule as written: the first band whose range holds the value, else an end band.
void BM_BranchyRule(benchmark::State& state) {
  const std::vector<double>& v = Values();
  const std::vector<double> r = Ranks();
  std::vector<std::uint64_t> counts(N_RANKS);
  for (auto _ : state) {
    std::fill(counts.begin(), counts.end(), 0);
    for (const double x : v) {
      std::size_t band = N_RANKS - 2;
      if (x <= r[0]) band = 0;
      for (std::size_t k = 0; k + 1 < N_RANKS; ++k)
        if (r[k] < x && x <= r[k + 1]) {
          band = k;
          break;
        }
      ++counts[band];
    }
    benchmark::DoNotOptimize(counts.data());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * N_VALUES));
}
BENCHMARK(BM_BranchyRule)->Unit(benchmark::kMillisecond);

void BM_UpperBound(benchmark::State& state) {
  const std::vector<double>& v = Values();
  const std::vector<double> r = Ranks();
  std::vector<std::uint64_t> counts(N_RANKS);
  for (auto _ : state) {
    std::fill(counts.begin(), counts.end(), 0);
    for (const double x : v) {
      const auto above = std::lower_bound(r.begin(), r.end(), x) - r.begin();
      ++counts[static_cast<std::size_t>(std::clamp<std::ptrdiff_t>(above - 1, 0, N_RANKS - 2))];
    }
    benchmark::DoNotOptimize(counts.data());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * N_VALUES));
}
BENCHMARK(BM_UpperBound)->Unit(benchmark::kMillisecond);

// The library's counter: the widest vector instructions of this processor.
void BM_BandCounter(benchmark::State& state) {
  const std::vector<double>& v = Values();
  const std::vector<double> r = Ranks();
  zar::MTArray<double> percents;
  for (auto _ : state) {
    CLegendBandCounter counter(r);
    counter.Add(v);
    counter.GetPercents(percents);
    benchmark::DoNotOptimize(percents.data());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * N_VALUES));
}
BENCHMARK(BM_BandCounter)->Unit(benchmark::kMillisecond);

// The same kernel with the baseline instruction set of the build (two lanes).
void BM_KernelBaseline(benchmark::State& state) {
  const std::vector<double>& v = Values();
  const std::vector<double> r = Ranks();
  const std::span<const double> inner = std::span<const double>(r).subspan(1, N_RANKS - 2);
  std::vector<std::uint64_t> above(inner.size());
  for (auto _ : state) {
    std::fill(above.begin(), above.end(), 0);
    benchmark::DoNotOptimize(pvk::legend::CountAbove(v, inner, above, true));
    benchmark::DoNotOptimize(above.data());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * N_VALUES));
}
BENCHMARK(BM_KernelBaseline)->Unit(benchmark::kMillisecond);

}  // namespace
