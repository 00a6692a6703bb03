// Grid result interpolation: the 8- and 20-node sampling cores against a textbook trilinear
// interpolation, the tessellation-vertex sampling that grid results run, the parallel
// display-node sampling of one million cells on one and two threads, point queries, and the
// data range against std::minmax_element. Inputs are made once; outputs go to arrays reused
// by every run.
#include <benchmark/benchmark.h>
#include <omp.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include "ibm/IBMGlobalElem.h"
#include "ibm/IBMGlobalElemVolume.h"
#include "ibm/IBMGlobalRange.h"
#include "ibm/ShapeFuncHexa.h"
#include "tests/ibm/IBMTestGrid.h"

namespace {

constexpr std::int32_t kPoints = 1 << 20;
constexpr std::int32_t kCells = 1 << 14;  // values of the sampled cells stay in cache
constexpr std::int32_t kRangeValues = 10'000'000;
constexpr std::int32_t kGridCells = 100;       // per axis: one million cells
constexpr std::int32_t kVertexGridCells = 64;  // per axis, for the vertex sampling

struct Samples {
  std::vector<std::array<float, 3>> xi;
  std::vector<std::int32_t> cell;
  std::vector<float> values;  // per cell, 20 node values
  Samples() : xi(kPoints), cell(kPoints), values(kCells * 20) {
    std::mt19937 rng(9);
    std::uniform_real_distribution<float> u(-1.0f, 1.0f);
    for (auto& p : xi) p = {u(rng), u(rng), u(rng)};
    for (auto& c : cell) c = std::int32_t(rng() % kCells);
    for (float& v : values) v = u(rng);
  }
};
const Samples& GetSamples() {
  static const Samples s;
  return s;
}

// The 8-node core as the kernels run it: the fused blend of the cell's corner values.
void BM_Hexa8Interpolate(benchmark::State& state) {
  const Samples& s = GetSamples();
  std::vector<float> out(kPoints);
  for (auto _ : state) {
    for (std::int32_t i = 0; i < kPoints; ++i) {
      const float* u = &s.values[std::size_t(s.cell[i]) * 20];
      out[i] = ShapeFuncHexa8<float>::Interpolate(s.xi[i][0], s.xi[i][1], s.xi[i][2], u);
    }
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_Hexa8Interpolate)->Unit(benchmark::kMillisecond);

void BM_Hexa20Sample(benchmark::State& state) {
  const Samples& s = GetSamples();
  std::vector<float> out(kPoints);
  for (auto _ : state) {
    for (std::int32_t i = 0; i < kPoints; ++i) {
      float n[ShapeFuncHexa20<float>::N_NODE];
      ShapeFuncHexa20<float>::Eval(s.xi[i][0], s.xi[i][1], s.xi[i][2], n);
      const float* u = &s.values[std::size_t(s.cell[i]) * 20];
      float sum = 0.0f;
      for (std::int32_t j = 0; j < ShapeFuncHexa20<float>::N_NODE; ++j) sum += n[j] * u[j];
      out[i] = sum;
    }
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_Hexa20Sample)->Unit(benchmark::kMillisecond);

// The anchor: seven linear blends of the eight corner values.
void BM_TrilinearAnchor(benchmark::State& state) {
  const Samples& s = GetSamples();
  std::vector<float> out(kPoints);
  auto lerp = [](float a, float b, float t) { return a + (b - a) * t; };
  for (auto _ : state) {
    for (std::int32_t i = 0; i < kPoints; ++i) {
      const float x = 0.5f * (s.xi[i][0] + 1), y = 0.5f * (s.xi[i][1] + 1),
                  z = 0.5f * (s.xi[i][2] + 1);
      const float* u = &s.values[std::size_t(s.cell[i]) * 20];
      const float a = lerp(lerp(u[0], u[1], x), lerp(u[3], u[2], x), y);
      const float b = lerp(lerp(u[4], u[5], x), lerp(u[7], u[6], x), y);
      out[i] = lerp(a, b, z);
    }
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_TrilinearAnchor)->Unit(benchmark::kMillisecond);

// Opens the display-node sampling to the benchmark, and builds what a point query needs as
// each query once built it for itself.
struct CVolumeBench : CIBMGlobalElemVolume {
  using CIBMGlobalElemVolume::SetDataComponent;
  void BuildQuery() {
    ctx = MakeContext<double>();
    kernel = pvk::ibm::MakeValueKernel(MakeFlags(false), &ctx);
  }
  pvk::ibm::TKernelContext<double> ctx;
  pvk::ibm::TValueKernel<double> kernel;
};

struct VolumeSetup {
  ibmtest::CTestGrid grid;
  CVolumeBench volume;
  TIBMLoadParam param;
  VolumeSetup() : grid({Body()}) {
    param.m_pMPUData = &grid.display;
    param.m_pMesh = &grid;
    param.m_nBuild = 1;
    pvk::TDLoadOpt opt{pvk::AMT_SCALAR, pvk::LOC_IBM_VOLUME_NODE, 0, 7401, 1.0};
    volume.InitData(&grid.mpu, opt, 1);
    volume.SetGlobal(param, grid.Values(pvk::AMT_SCALAR, 1, [](int, ibmtest::Vec3 p) {
      return p[0] - 0.5 * p[1] + 0.25 * p[2];
    }));
  }
  static ibmtest::TGridBody Body() {
    ibmtest::TGridBody b;
    b.cells = {kGridCells, kGridCells, kGridCells};
    b.rot = ibmtest::AxisRotation({{1, 1, 1}}, 0.3);
    return b;
  }
};
VolumeSetup& GetVolume() {
  static VolumeSetup v;
  return v;
}

void BM_VolumeSampling(benchmark::State& state) {
  VolumeSetup& v = GetVolume();
  const int nThreads = omp_get_max_threads();
  omp_set_num_threads(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    v.volume.SetDataComponent();
    benchmark::DoNotOptimize(v.volume.GetScalarComp().data());
  }
  omp_set_num_threads(nThreads);
  state.SetItemsProcessed(state.iterations() * kGridCells * kGridCells * kGridCells);
}
BENCHMARK(BM_VolumeSampling)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// Opens the vertex sampling to the benchmark.
struct CVertexBench : CIBMGlobalElem {
  using CIBMGlobalElem::SetDataComponent;
};

// The grid results' own path: tessellation vertices of a sphere inside a rotated grid of
// 8-node cells, row after row as a tessellation gives them, each found in its cell and
// interpolated through the node map of the partial data set.
struct VertexSetup {
  ibmtest::CTestGrid grid;
  CVertexBench elem;
  TIBMLoadParam param;
  VertexSetup() : grid({Body()}) {
    const TMPUBndrD& g = *grid.mpu.GetBodySets()[0]->m_pBndrD;
    const double r = 0.45 * g.m_aExtent[0];
    const std::int32_t rows = 1 << 10;
    for (std::int32_t i = 0; i < kPoints; ++i) {
      const double theta = std::numbers::pi * ((i / rows) + 0.5) / (kPoints / rows);
      const double phi = 2 * std::numbers::pi * (i % rows) / rows;
      const ibmtest::Vec3 q{{g.m_aExtent[0] / 2 + r * std::sin(theta) * std::cos(phi),
                             g.m_aExtent[1] / 2 + r * std::sin(theta) * std::sin(phi),
                             g.m_aExtent[2] / 2 + r * std::cos(theta)}};
      grid.vertices[0].push_back(ibmtest::RotateBack(g.m_aRot, q));
    }
    param.m_pMPUData = &grid.display;
    param.m_pMesh = &grid;
    param.m_nBuild = 1;
    pvk::TDLoadOpt opt{pvk::AMT_SCALAR, pvk::LOC_IBM_VOLUME_NODE, 0, 7401, 1.0};
    static_cast<CIBMGlobalElemBase&>(elem).InitData(&grid.mpu, opt, 1);
    elem.SetGlobal(param, grid.Values(pvk::AMT_SCALAR, 1, [](int, ibmtest::Vec3 p) {
      return p[0] - 0.5 * p[1] + 0.25 * p[2];
    }));
  }
  static ibmtest::TGridBody Body() {
    ibmtest::TGridBody b;
    b.cells = {kVertexGridCells, kVertexGridCells, kVertexGridCells};
    b.rot = ibmtest::AxisRotation({{1, 1, 1}}, 0.3);
    return b;
  }
};

void BM_VertexSampling(benchmark::State& state) {
  static VertexSetup v;
  for (auto _ : state) {
    v.elem.SetDataComponent();
    benchmark::DoNotOptimize(v.elem.GetScalarComp().data());
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_VertexSampling)->Unit(benchmark::kMillisecond);

// Random points of the million-cell grid: per query, against the same query with the
// flags, context and kernel built anew as every query did before they were kept.
void BM_GetPosValue(benchmark::State& state) {
  VolumeSetup& v = GetVolume();
  const bool bRebuild = state.range(0) != 0;
  const TMPUBndrD& g = *v.grid.mpu.GetBodySets()[0]->m_pBndrD;
  std::mt19937 rng(4);
  std::uniform_real_distribution<double> u(0.0, 1.0);
  std::vector<ibmtest::Vec3> points(4096);
  for (auto& p : points) {
    const ibmtest::Vec3 q{
        {u(rng) * g.m_aExtent[0], u(rng) * g.m_aExtent[1], u(rng) * g.m_aExtent[2]}};
    p = ibmtest::RotateBack(g.m_aRot, q);
  }
  std::size_t i = 0;
  double value = 0.0;
  for (auto _ : state) {
    if (bRebuild) v.volume.BuildQuery();
    benchmark::DoNotOptimize(v.volume.GetPosValue(points[i++ % points.size()], value));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GetPosValue)->ArgName("rebuild")->Arg(0)->Arg(1);

const std::vector<double>& RangeValues() {
  static const std::vector<double> values = [] {
    std::mt19937_64 rng(2);
    std::normal_distribution<double> n(0.0, 1.0);
    std::vector<double> v(kRangeValues);
    for (double& x : v) x = n(rng);
    return v;
  }();
  return values;
}

void BM_DataRange(benchmark::State& state) {
  const auto& values = RangeValues();
  for (auto _ : state) {
    pvk::TDataRange r;
    for (std::int32_t i = 0; i < kRangeValues; ++i) r.Offer(values[i], i);
    benchmark::DoNotOptimize(r);
  }
  state.SetItemsProcessed(state.iterations() * kRangeValues);
}
BENCHMARK(BM_DataRange)->Unit(benchmark::kMillisecond);

void BM_DataRangeAnchorMinMax(benchmark::State& state) {
  const auto& values = RangeValues();
  for (auto _ : state) benchmark::DoNotOptimize(std::minmax_element(values.begin(), values.end()));
  state.SetItemsProcessed(state.iterations() * kRangeValues);
}
BENCHMARK(BM_DataRangeAnchorMinMax)->Unit(benchmark::kMillisecond);

}  // namespace
