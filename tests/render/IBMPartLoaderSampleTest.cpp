// The part loader on the grid sample: its results loaded by display items as the host loads
// them, the helper each item gets, and the textures of every body set read back equal to the
// texels computed from the items' global data.
#include <algorithm>
#include <functional>

#include "GfxBackendFixture.h"
#include "SampleIbm.h"
#include "base/ScratchFolder.h"
#include "ibm/IBMPDLItem.h"
#include "ibm/MPUGeometry.h"
#include "ibm/MPUGlobalMesh.h"
#include "ibm/MeshPostUnit.h"
#include "ibm/PostFileMPUProvider.h"
#include "render/GfxEnums.h"
#include "render/PVKIBMPartLoader.h"
#include "render/PVKIBMPartLoaderHelperFatigue.h"
#include "render/PVKIBMPartLoaderHelperVolume.h"
#include "resultfile/PostFile.h"
#include "session/MemModelDB.h"
#include "session/POHPoolBase.h"
#include "session/POHVcas.h"
#include "session/QVEPOHSession.h"
#include "session/QVEPostFileManager.h"
#include "support/MsgCapture.h"
#include "vresult/VResult.h"
#include "vresult/VResultPackage.h"

namespace {

namespace gl = zar::oglib::gl;
using Floats = std::vector<float>;

// The sample file opened once, as a host opens it.
struct TOpenedSample {
  ScratchFolder dir;
  CQVEPOHSession session;
  CMemModelDB db;
  CQVEPostFileManager manager{&session, &db};
  IPostFile* pFile = nullptr;
  const CPOHVcas* pStep = nullptr;
  TOpenedSample() {
    if (!WriteIbmSampleFile(dir.Narrow("grid.tkvp")).empty()) return;
    pFile =
        manager.GetPostFile(manager.AddFile(dir.Wide("grid.tkvp"), db.AddAnalysisItem(0, L"g")));
    pStep = static_cast<const CPOHVcas*>(
        session.GetPOHPool(2)->GetAt(session.GetPOHPool(2)->GetHeadPosition()));
    if (!pFile) return;
    for (TMPUPartBody& part : MakeMPUBodies(pFile->GetMPUPost()->GetFacet()))
      db.AddBody(part.m_nPartID, std::move(part.m_pBody));
  }
  // The step's result of that id, shown in the volume form of grid node values.
  CVResult* VolumeResult(std::int32_t id) const {
    CVResult* vr = pStep->GetPackage()->Find(pvk::LOC_NODE, id);
    if (!vr) vr = pStep->GetPackage()->Find(pvk::LOC_IBM_VOLUME_NODE, id);
    if (vr) vr->SetLocType(pvk::LOC_IBM_VOLUME_NODE);
    return vr;
  }
};

// The texels of comps over the set's grid from the data: every node of the unit whose id lies
// in the grid and that has a value. The count of such nodes goes to valued.
Floats ExpectedTexels(const CIBMGlobalD& data, const TMPUBndrD& grid,
                      const std::vector<std::int32_t>& comps, std::size_t& valued) {
  const CMPUBody& body = data.GetMPU()->GetBody();
  const std::int64_t points =
      std::int64_t(grid.m_aNumber[0]) * grid.m_aNumber[1] * grid.m_aNumber[2];
  Floats texels(points * comps.size(), 0.0f);
  valued = 0;
  for (std::int32_t nd = 0; nd < body.GetNodeSize(); ++nd) {
    const std::int64_t t = std::int64_t(body.GetNodeID(nd)) - grid.m_nNidStart;
    if (t < 0 || t >= points || !data.GetDCT()[nd]) continue;
    ++valued;
    for (std::size_t c = 0; c < comps.size(); ++c)
      texels[t * comps.size() + c] =
          static_cast<float>((*data.GetCompData(comps[c]))[data.GetDSI()[nd]]);
  }
  return texels;
}

Floats ReadBack(const zar::oglib::MTexture* tex, unsigned format, std::size_t n) {
  Floats back(n);
  if (!tex || !tex->GLGetTexImage(0, format, gl::FLOAT, std::as_writable_bytes(std::span(back))))
    back.clear();
  return back;
}

class IBMPartLoaderSample : public GfxBackendTest {
protected:
  static void SetUpTestSuite() { s_pSample = new TOpenedSample; }
  static void TearDownTestSuite() { delete s_pSample; }

  void SetUp() override {
    GfxBackendTest::SetUp();
    ASSERT_TRUE(s_pSample->pFile && s_pSample->pStep);
    m_pMesh =
        std::make_unique<CMPUGlobalMesh>(Mpu(), &s_pSample->db, &s_pSample->db.GetEntityPool());
    m_display = Mpu().MakeData();
    m_param.m_pLinker = &s_pSample->db;
    m_param.m_pMPUProvider = &m_provider;
    m_param.m_pMPUData = &m_display;
    m_param.m_pEntityPool = &s_pSample->db.GetEntityPool();
    m_param.m_pMesh = m_pMesh.get();
    m_param.m_nBuild = 1;
  }
  CMPUPost& Mpu() const { return *s_pSample->pFile->GetMPUPost(); }

  static TOpenedSample* s_pSample;
  CPostFileMPUProvider m_provider{s_pSample->manager};
  std::unique_ptr<CMPUGlobalMesh> m_pMesh;
  CMPUData m_display;
  TIBMLoadParam m_param;
};
TOpenedSample* IBMPartLoaderSample::s_pSample = nullptr;
PVK_ON_BOTH_GFX_BACKENDS(IBMPartLoaderSample);

TEST_P(IBMPartLoaderSample, TexturesOfEveryBodySetHoldTheGlobalData) {
  using Check = std::function<void(IPVKIBMPartLoaderHelper&, const CIBMPDLItem&, TMPUBodySet&)>;
  // The volume texture of comps of the item's data.
  auto volume = [](CIBMGlobalD* (CIBMPDLItem::*data)() const, std::vector<std::int32_t> comps,
                   unsigned format) -> Check {
    return [=](IPVKIBMPartLoaderHelper& h, const CIBMPDLItem& item, TMPUBodySet& set) {
      std::size_t valued = 0;
      const Floats want = ExpectedTexels(*(item.*data)(), *set.m_pBndrD, comps, valued);
      EXPECT_EQ(valued, set.m_aNodeID.size());
      const auto& helper = dynamic_cast<const CPVKIBMPartLoaderHelperVolume&>(h);
      EXPECT_EQ(ReadBack(helper.GetVolumeTex(), format, want.size()), want);
    };
  };
  // The grid data of a fatigue result keep the stresses behind the damage in 1 .. 6.
  const Check fatigue = [](IPVKIBMPartLoaderHelper& h, const CIBMPDLItem& item, TMPUBodySet& set) {
    const auto& helper = dynamic_cast<const CPVKIBMPartLoaderHelperFatigue&>(h);
    const TMPUBndrD& grid = *set.m_pBndrD;
    std::size_t valued = 0;
    for (const auto& [tex, comps] : {std::pair(helper.GetNormalTex(), std::vector{1, 2, 3}),
                                     std::pair(helper.GetShearTex(), std::vector{4, 5, 6})}) {
      const Floats want = ExpectedTexels(*item.GetMainD(), grid, comps, valued);
      EXPECT_EQ(valued, set.m_aNodeID.size());
      EXPECT_NE(std::count(want.begin(), want.end(), 0.0f), std::ssize(want));
      EXPECT_EQ(ReadBack(tex, gl::RGB, want.size()), want);
    }
  };
  struct Row {
    const char* name;
    std::int32_t id;
    bool deform;  // set as the deformation result, drawn with flag 0
    zar::render::E_DATA_TYPE helper;
    int loads;
    Check check;
  } rows[] = {
      {"deformation", 101, true, zar::render::DATA_VOLUME, 1,
       volume(&CIBMPDLItem::GetDeformD, {1, 2, 3}, gl::RGB)},
      {"nodal density", 7401, false, zar::render::DATA_VOLUME, 1,
       volume(&CIBMPDLItem::GetMainD, {0}, gl::RED)},
      {"fatigue damage", 9001, false, zar::render::DATA_FATIGUE, 1, fatigue},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    CVResult* vr = s_pSample->VolumeResult(row.id);
    ASSERT_TRUE(vr);
    CIBMPDLItem item;
    pvk::TDLoadOpt opt;
    if (row.deform) {
      item.SetVResultDeform(vr);
      ASSERT_EQ(item.LoadDeformData(opt, m_param), 1);
    } else {
      item.SetVResultMain(vr);
      ASSERT_EQ(item.LoadMainData(opt, m_param), 1);
    }
    CPVKIBMPartLoader loader;
    loader.GLBegin(&item, row.deform ? 0 : 1);
    ASSERT_TRUE(loader.GetIBMPartLoaderHelper());
    EXPECT_EQ(loader.GetIBMPartLoaderHelper()->GetHelperType(), row.helper);
    for (const auto& set : Mpu().GetBodySets()) {
      CMsgCapture warnings(zar::lib::EMsgLevel::Warning);
      ASSERT_EQ(loader.GLLoad(&item, set.get()), row.loads)
          << loader.GetIBMPartLoaderHelper()->GetReason().str();
      row.check(*loader.GetIBMPartLoaderHelper(), item, *set);
    }
    loader.GLEnd();
    EXPECT_EQ(loader.GetIBMPartLoaderHelper(), nullptr);
  }
}

// Grid node values sampled on the surface vertices get no helper.
TEST_P(IBMPartLoaderSample, NoHelperForResultsOffTheGridNodes) {
  CVResult* vr = s_pSample->pStep->GetPackage()->Find(pvk::LOC_NODE, 7202);
  ASSERT_TRUE(vr);
  CIBMPDLItem item;
  item.SetVResultMain(vr);
  pvk::TDLoadOpt opt;
  ASSERT_EQ(item.LoadMainData(opt, m_param), 1);
  CPVKIBMPartLoader loader;
  loader.GLBegin(&item, 1);
  EXPECT_EQ(loader.GetIBMPartLoaderHelper(), nullptr);
  EXPECT_EQ(loader.GLLoad(&item, Mpu().GetBodySets()[0].get()), 0);
}

}  // namespace
