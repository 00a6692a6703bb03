// Building a contour face model of 1,000,000 triangles (3,000,000 points with normals and
// values, double precision as the results come) with LoadDataFaceVBO: on the OpenGL backend
// (Mesa's llvmpipe on machines without a graphics card), and on the recording backend as the
// anchor, which copies the same bytes into memory of its own. Each iteration builds the model
// from warm input; deleting it is left out of the time.
#include <benchmark/benchmark.h>

#include "render/OpenGLBackend.h"
#include "render/PostRndrData.h"
#include "render/RecordingBackend.h"

namespace {

constexpr std::size_t kTriangles = 1'000'000;
constexpr std::size_t kPoints = 3 * kTriangles;

class CBenchRndrData : public pvk::CPostRndrData {
public:
  using CPostRndrData::GLClearList;
  using CPostRndrData::LoadDataFaceVBO;
  void Clear() override {}
  int HasData() const override { return 0; }
};

struct TFaces {
  zar::MTArray<zar::MVector<double, 3>> pts, normals;
  zar::MTArray<double> vals;
};

const TFaces& Faces() {
  static const TFaces faces = [] {
    TFaces f;
    f.pts.resize(kPoints);
    f.normals.resize(kPoints);
    f.vals.resize(kPoints);
    for (std::size_t i = 0; i < kPoints; ++i) {
      const double x = static_cast<double>(i);
      f.pts[i] = {{x * 1e-3, x * 2e-3, 1.0 - x * 1e-6}};
      f.normals[i] = {{0.0, 0.0, 1.0}};
      f.vals[i] = x * 1e-4;
    }
    return f;
  }();
  return faces;
}

void BuildFaces(benchmark::State& state, zar::oglib::IGfxBackend* backend,
                zar::oglib::MRecordingBackend* recorder) {
  const TFaces& f = Faces();
  zar::oglib::IGfxBackend* previous = zar::oglib::SetGfxBackend(backend);
  CBenchRndrData data;
  pvk::TVBOModelList list;
  for (auto _ : state) {
    if (data.LoadDataFaceVBO(f.pts, f.normals, f.vals, list) != 1 || list.size() != 1) {
      state.SkipWithError("the face model was not built");
      break;
    }
    state.PauseTiming();
    CBenchRndrData::GLClearList(&list);
    if (recorder) recorder->ClearCalls();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kTriangles));
  zar::oglib::SetGfxBackend(previous);
}

void BM_FaceModel_Recording(benchmark::State& state) {
  zar::oglib::MRecordingBackend recorder;
  BuildFaces(state, &recorder, &recorder);
}

void BM_FaceModel_OpenGL(benchmark::State& state) {
  zar::oglib::MOpenGLBackend* gl = zar::oglib::MOpenGLBackend::Instance();
  if (!gl) {
    state.SkipWithError("no OpenGL context");
    return;
  }
  BuildFaces(state, gl, nullptr);
}

BENCHMARK(BM_FaceModel_Recording)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FaceModel_OpenGL)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
