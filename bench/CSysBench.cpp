// Principal values and the output coordinate system pass over one million tensors or solid
// elements per run. Inputs are made once; outputs go to arrays reused by every run.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <random>
#include <vector>

#include "csys/OutputCSysConverter_ZAR.h"
#include "csys/PrincipalValues.h"
#include "csys/PrincipalValuesMany.h"
#include "csys/SymEigen3.h"

namespace {

constexpr std::int32_t kCount = 1'000'000;
constexpr std::int32_t kGroupsPerElem = 9;  // hexahedron: centre and eight nodes

// Argument 0: random tensors; 1: shear-free ones with two equal values, which take the
// special branches (no reflection, the completed basis).
const std::vector<std::array<double, 6>>& Tensors(std::int64_t kind = 0) {
  static const std::vector<std::array<double, 6>> tensors[2] = {
      [] {
        std::mt19937_64 rng(5);
        std::uniform_real_distribution<double> u(-100.0, 100.0);
        std::vector<std::array<double, 6>> t(kCount);
        for (auto& s : t)
          for (double& x : s) x = u(rng);
        return t;
      }(),
      [] {
        std::mt19937_64 rng(7);
        std::uniform_real_distribution<double> u(-100.0, 100.0);
        std::vector<std::array<double, 6>> t(kCount);
        for (auto& s : t) {
          const double a = u(rng), b = u(rng);
          s = {a, b, b, 0.0, 0.0, 0.0};
        }
        return t;
      }()};
  return tensors[kind];
}

void BM_PrincipalStress3D(benchmark::State& state) {
  const auto& tensors = Tensors(state.range(0));
  std::vector<std::array<double, 3>> values(kCount);
  std::vector<std::array<std::array<double, 3>, 3>> dirs(kCount);
  for (auto _ : state) {
    for (std::int32_t i = 0; i < kCount; ++i) {
      double d[3][3];
      COutputCSysConverter_ZAR::calcPrincipalStress3D(tensors[i].data(), values[i].data(), d);
      for (int k = 0; k < 3; ++k)
        for (int j = 0; j < 3; ++j) dirs[i][k][j] = d[k][j];
    }
    benchmark::DoNotOptimize(values.data());
    benchmark::DoNotOptimize(dirs.data());
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_PrincipalStress3D)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The same tensors side by side in lanes: the same results bit for bit.
void BM_PrincipalStress3DMany(benchmark::State& state) {
  const auto& tensors = Tensors(state.range(0));
  std::vector<pvk::csys::TPrincipal3D> out(kCount);
  for (auto _ : state) {
    benchmark::DoNotOptimize(pvk::csys::CalcPrincipalStress3DMany(tensors, out));
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_PrincipalStress3DMany)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The same values with the textbook solver (hypot for every length), for comparison.
void BM_PrincipalStress3DReference(benchmark::State& state) {
  const auto& tensors = Tensors();
  std::vector<std::array<double, 3>> values(kCount);
  std::vector<std::array<std::array<double, 3>, 3>> dirs(kCount);
  for (auto _ : state) {
    for (std::int32_t i = 0; i < kCount; ++i) {
      const auto& s = tensors[i];
      double a[3][3] = {{s[0], s[3], s[5]}, {s[3], s[1], s[4]}, {s[5], s[4], s[2]}};
      double d[3][3];
      pvk::csys::PrincipalValues(a, values[i].data(), d, pvk::csys::SolveSymEigen3Reference);
      for (int k = 0; k < 3; ++k)
        for (int j = 0; j < 3; ++j) dirs[i][k][j] = d[k][j];
    }
    benchmark::DoNotOptimize(values.data());
    benchmark::DoNotOptimize(dirs.data());
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_PrincipalStress3DReference)->Unit(benchmark::kMillisecond);

void BM_PrincipalStress2D(benchmark::State& state) {
  const auto& tensors = Tensors();
  std::vector<std::array<double, 3>> out(kCount);
  for (auto _ : state) {
    for (std::int32_t i = 0; i < kCount; ++i)
      COutputCSysConverter_ZAR::calcPrincipalStress2D(tensors[i].data(), out[i].data());
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_PrincipalStress2D)->Unit(benchmark::kMillisecond);

// Six-component values of one million hexahedra, each with its own orthonormal system.
struct SolidBlock {
  std::vector<pvk::TElemOutCsys_d> systems;
  std::vector<std::int32_t> dsi, dct;
  std::array<std::vector<double>, 6> comp;

  SolidBlock() : systems(kCount), dsi(kCount), dct(kCount, kGroupsPerElem) {
    std::mt19937_64 rng(6);
    std::uniform_real_distribution<double> angle(0.0, 6.283185307179586);
    for (std::int32_t i = 0; i < kCount; ++i) {
      const double a = angle(rng), b = angle(rng);
      systems[i] = {{std::cos(a), std::sin(a), 0.0, -std::sin(a) * std::cos(b),
                     std::cos(a) * std::cos(b), std::sin(b)}};
      dsi[i] = i * kGroupsPerElem;
    }
    std::uniform_real_distribution<double> u(-100.0, 100.0);
    for (auto& c : comp) {
      c.resize(static_cast<std::size_t>(kCount) * kGroupsPerElem);
      for (double& x : c) x = u(rng);
    }
  }
  TCSysConvGroups Groups() {
    TCSysConvGroups g;
    g.nEntity = kCount;
    g.pDSI = dsi.data();
    g.pDCT = dct.data();
    g.pElemCSys = systems.data();
    g.nComp = 6;
    g.nRows = kCount * kGroupsPerElem;
    for (int k = 0; k < 6; ++k) g.pComp[k] = comp[k].data();
    return g;
  }
};

// The values turn in place on every run; orthonormal systems keep them bounded.
void BM_ConvertSolidTensors(benchmark::State& state) {
  SolidBlock block;
  const TCSysConvGroups groups = block.Groups();
  TOutCSysInfo info;
  info.nCSysKind = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(COutputCSysConverter_ZAR::ConvertGroups(info, 0, groups));
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_ConvertSolidTensors)->Unit(benchmark::kMillisecond);

}  // namespace
