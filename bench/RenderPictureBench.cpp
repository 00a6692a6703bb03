// A contour picture of a 200,000-face model on the OpenGL backend (llvmpipe where there is no
// graphics card): a plate of 316 × 316 hexahedra, one layer thick, with a node value rising
// across it. Timed apart: the outer face extraction (600,000 candidate faces), the draw with
// read-back of an 800 × 600 picture (geometry, vertex buffers, draw, read), and the whole
// picture with its legend. The anchor is a copy of the triangle vertex bytes the draw uploads.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "render/ContourDraw.h"
#include "render/ContourPicture.h"
#include "render/OpenGLBackend.h"

namespace {

using namespace pvk::picture;

constexpr int N_CELLS = 316;  // 2 · 316² + 4 · 316 = 200,976 outer faces
constexpr int WIDTH = 800;
constexpr int HEIGHT = 600;
constexpr std::size_t FLOATS_PER_VERTEX = 7;  // position, normal, coordinate
constexpr std::size_t VERTICES_PER_QUAD = 6;

struct TPlate {
  std::vector<TPoint> points;
  std::vector<TMeshElem> elems;
  std::vector<double> values, ranks = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
};

const TPlate& Plate() {
  static const TPlate plate = [] {
    TPlate p;
    const int n = N_CELLS + 1;
    for (int k = 0; k < 2; ++k)
      for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
          p.points.push_back({{double(i), double(j), double(k)}});
          p.values.push_back(9.0 * (i + j) / (2.0 * N_CELLS));
        }
    const auto at = [n](int i, int j, int k) {
      return static_cast<std::uint32_t>((k * n + j) * n + i);
    };
    for (int j = 0; j < N_CELLS; ++j)
      for (int i = 0; i < N_CELLS; ++i)
        p.elems.push_back({14,
                           {at(i, j, 0), at(i + 1, j, 0), at(i + 1, j + 1, 0), at(i, j + 1, 0),
                            at(i, j, 1), at(i + 1, j, 1), at(i + 1, j + 1, 1), at(i, j + 1, 1)}});
    return p;
  }();
  return plate;
}

bool UseOpenGL(benchmark::State& state) {
  zar::oglib::MOpenGLBackend* gl = zar::oglib::MOpenGLBackend::Instance();
  if (!gl) {
    state.SkipWithError("no OpenGL context");
    return false;
  }
  zar::oglib::SetGfxBackend(gl);
  return true;
}

void BM_CopyVertexBytesAnchor(benchmark::State& state) {
  const std::size_t floats =
      FLOATS_PER_VERTEX * VERTICES_PER_QUAD * (2 * N_CELLS * N_CELLS + 4 * N_CELLS);
  std::vector<float> from(floats, 1.0f), to(floats);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), floats * sizeof(float));
    benchmark::DoNotOptimize(to.data());
  }
}
BENCHMARK(BM_CopyVertexBytesAnchor)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->DisplayAggregatesOnly();

void BM_ExtractOuterFaces(benchmark::State& state) {
  const TPlate& p = Plate();
  for (auto _ : state) {
    const TOuterFaces faces = ExtractOuterFaces(p.elems, p.points);
    benchmark::DoNotOptimize(faces.aFace.data());
  }
  state.counters["faces"] = static_cast<double>(ExtractOuterFaces(p.elems, p.points).aFace.size());
}
BENCHMARK(BM_ExtractOuterFaces)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->DisplayAggregatesOnly();

void BM_DrawAndReadBack(benchmark::State& state) {
  if (!UseOpenGL(state)) return;
  const TPlate& p = Plate();
  const TOuterFaces faces = ExtractOuterFaces(p.elems, p.points);
  const TContourValues values{p.ranks, p.values, {}};
  for (auto _ : state) {
    CContourRndrD data;
    TRgbaImage image;
    CString reason;
    if (!data.Load(BuildContourGeometry(p.points, faces, values)) ||
        !DrawContour(data, p.ranks.size(), FitCamera(p.points, EView::ISO, WIDTH, HEIGHT), WIDTH,
                     HEIGHT, image, reason))
      state.SkipWithError("the draw failed");
    benchmark::DoNotOptimize(image.aByte.data());
  }
}
BENCHMARK(BM_DrawAndReadBack)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->DisplayAggregatesOnly();

void BM_WholePicture(benchmark::State& state) {
  if (!UseOpenGL(state)) return;
  const TPlate& p = Plate();
  for (auto _ : state) {
    const TOuterFaces faces = ExtractOuterFaces(p.elems, p.points);
    TContourPicture pic;
    CString reason;
    if (!MakeContourPicture(p.points, faces, {p.ranks, p.values, {}}, {"Value", "mm"}, EView::ISO,
                            WIDTH, HEIGHT, pic, reason))
      state.SkipWithError("the picture failed");
    benchmark::DoNotOptimize(pic.image.aByte.data());
  }
}
BENCHMARK(BM_WholePicture)->Unit(benchmark::kMillisecond)->Repetitions(5)->DisplayAggregatesOnly();

}  // namespace
