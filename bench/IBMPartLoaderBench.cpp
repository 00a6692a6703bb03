// The textures of the grid sample's largest body: the deformation and the nodal density, on
// the recording and the OpenGL backend, against a plain copy of the same texel bytes. The sample
// is written, opened and loaded once; each run builds the helper's texels and textures anew.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>

#include "SampleIbm.h"
#include "base/ScratchFolder.h"
#include "ibm/IBMPDLItem.h"
#include "ibm/MPUGeometry.h"
#include "ibm/MPUGlobalMesh.h"
#include "ibm/MeshPostUnit.h"
#include "ibm/PostFileMPUProvider.h"
#include "render/OpenGLBackend.h"
#include "render/PVKIBMPartLoader.h"
#include "render/PVKIBMPartLoaderHelperVolume.h"
#include "render/RecordingBackend.h"
#include "resultfile/PostFile.h"
#include "session/MemModelDB.h"
#include "session/POHPoolBase.h"
#include "session/POHTypes.h"
#include "session/POHVcas.h"
#include "session/QVEPOHSession.h"
#include "session/QVEPostFileManager.h"
#include "vresult/VResult.h"
#include "vresult/VResultPackage.h"

namespace {

// The sample opened, with a deformation item and a nodal item loaded.
struct TLoadedSample {
  ScratchFolder dir;
  CQVEPOHSession session;
  CMemModelDB db;
  CQVEPostFileManager manager{&session, &db};
  CPostFileMPUProvider provider{manager};
  std::unique_ptr<CMPUGlobalMesh> pMesh;
  CMPUData display;
  CIBMPDLItem deform, nodal;
  TMPUBodySet* pLargest = nullptr;

  TLoadedSample() {
    if (!WriteIbmSampleFile(dir.Narrow("grid.tkvp")).empty()) return;
    IPostFile* pFile =
        manager.GetPostFile(manager.AddFile(dir.Wide("grid.tkvp"), db.AddAnalysisItem(0, L"g")));
    if (!pFile) return;
    CMPUPost& mpu = *pFile->GetMPUPost();
    for (TMPUPartBody& part : MakeMPUBodies(mpu.GetFacet()))
      db.AddBody(part.m_nPartID, std::move(part.m_pBody));
    pMesh = std::make_unique<CMPUGlobalMesh>(mpu, &db, &db.GetEntityPool());
    display = mpu.MakeData();
    TIBMLoadParam param;
    param.m_pLinker = &db;
    param.m_pMPUProvider = &provider;
    param.m_pMPUData = &display;
    param.m_pEntityPool = &db.GetEntityPool();
    param.m_pMesh = pMesh.get();
    param.m_nBuild = 1;
    const auto* pStep = static_cast<const CPOHVcas*>(
        session.GetPOHPool(pvk::POH_LEVEL_VCAS)
            ->GetAt(session.GetPOHPool(pvk::POH_LEVEL_VCAS)->GetHeadPosition()));
    CVResult* pDisp = pStep->GetPackage()->Find(pvk::LOC_NODE, 101);
    CVResult* pDensity = pStep->GetPackage()->Find(pvk::LOC_NODE, 7401);
    if (!pDisp || !pDensity) return;
    pDisp->SetLocType(pvk::LOC_IBM_VOLUME_NODE);
    deform.SetVResultDeform(pDisp);
    nodal.SetVResultMain(pDensity);
    pvk::TDLoadOpt opt;
    if (!deform.LoadDeformData(opt, param) || !nodal.LoadMainData(opt, param)) return;
    const auto& sets = mpu.GetBodySets();
    pLargest = std::max_element(sets.begin(), sets.end(), [](const auto& a, const auto& b) {
                 return a->m_aNodeID.size() < b->m_aNodeID.size();
               })->get();
  }
};
TLoadedSample& Sample() {
  static TLoadedSample sample;
  return sample;
}

void LoadTextures(benchmark::State& state, zar::oglib::IGfxBackend* backend,
                  zar::oglib::MRecordingBackend* recorder, bool bDeform) {
  TLoadedSample& s = Sample();
  if (!backend || !s.pLargest) {
    state.SkipWithError(backend ? "the sample was not loaded" : "no OpenGL context");
    return;
  }
  zar::oglib::IGfxBackend* previous = zar::oglib::SetGfxBackend(backend);
  CIBMPDLItem& item = bDeform ? s.deform : s.nodal;
  CPVKIBMPartLoader loader;
  loader.GLBegin(&item, bDeform ? 0 : 1);
  for (auto _ : state) {
    if (!loader.GLLoad(&item, s.pLargest)) {
      state.SkipWithError("the textures were not made");
      break;
    }
    if (recorder) recorder->ClearCalls();
  }
  const auto* helper =
      dynamic_cast<const CPVKIBMPartLoaderHelperVolume*>(loader.GetIBMPartLoaderHelper());
  const std::size_t floats = helper ? helper->GetTexelBuffer().size() : 0;
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(floats * sizeof(float)));
  state.counters["texels"] = static_cast<double>(floats / (bDeform ? 3 : 1));
  loader.GLEnd();
  zar::oglib::SetGfxBackend(previous);
}

zar::oglib::IGfxBackend* OpenGL() { return zar::oglib::MOpenGLBackend::Instance(); }

void BM_DeformTex_Recording(benchmark::State& state) {
  zar::oglib::MRecordingBackend recorder;
  LoadTextures(state, &recorder, &recorder, true);
}
void BM_DeformTex_OpenGL(benchmark::State& state) { LoadTextures(state, OpenGL(), nullptr, true); }
void BM_NodalTex_Recording(benchmark::State& state) {
  zar::oglib::MRecordingBackend recorder;
  LoadTextures(state, &recorder, &recorder, false);
}
void BM_NodalTex_OpenGL(benchmark::State& state) { LoadTextures(state, OpenGL(), nullptr, false); }

// The anchor: a plain copy of the deformation texels of the same body into a reused buffer.
void BM_TexelCopyAnchor(benchmark::State& state) {
  TLoadedSample& s = Sample();
  if (!s.pLargest) {
    state.SkipWithError("the sample was not loaded");
    return;
  }
  const auto& n = s.pLargest->m_pBndrD->m_aNumber;
  const std::vector<float> from(static_cast<std::size_t>(n[0]) * n[1] * n[2] * 3, 1.0f);
  std::vector<float> to(from.size());
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size() * sizeof(float));
    benchmark::DoNotOptimize(to.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(from.size() * 4));
}

BENCHMARK(BM_TexelCopyAnchor);
BENCHMARK(BM_DeformTex_Recording);
BENCHMARK(BM_DeformTex_OpenGL)->UseRealTime();
BENCHMARK(BM_NodalTex_Recording);
BENCHMARK(BM_NodalTex_OpenGL)->UseRealTime();

}  // namespace
