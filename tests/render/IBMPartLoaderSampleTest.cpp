// The part loader on the grid sample: its results loaded by display items as the host loads
// them, the helper each item gets, and the textures of every body set read back equal to the
// texels computed from the items' global data.
#include <algorithm>
#include <functional>

#include "GfxBackendFixture.h"
#include "ibm/IBMOpenedSample.h"
#include "ibm/IBMPDLItem.h"
#include "ibm/PostFileMPUProvider.h"
#include "render/GfxEnums.h"
#include "render/PVKIBMPartLoader.h"
#include "render/PVKIBMPartLoaderHelperFatigue.h"
#include "render/PVKIBMPartLoaderHelperVolume.h"
#include "support/MsgCapture.h"
#include "vresult/VResult.h"
#include "vresult/VResultPackage.h"

namespace {

namespace gl = zar::oglib::gl;
using Floats = std::vector<float>;

// The step's result of that id, shown in the volume form of grid node values.
CVResult* VolumeResult(ibmtest::TOpenedSample& sample, std::int32_t id) {
  CVResult* vr = sample.Step().GetPackage()->Find(pvk::LOC_NODE, id);
  if (!vr) vr = sample.Step().GetPackage()->Find(pvk::LOC_IBM_VOLUME_NODE, id);
  if (vr) vr->SetLocType(pvk::LOC_IBM_VOLUME_NODE);
  return vr;
}

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
  static void SetUpTestSuite() { s_pSample = new ibmtest::TOpenedSample; }
  static void TearDownTestSuite() { delete s_pSample; }

  void SetUp() override {
    GfxBackendTest::SetUp();
    ASSERT_TRUE(s_pSample->pFile && s_pSample->vcas);
    m_pDisplay = std::make_unique<ibmtest::TSampleDisplay>(*s_pSample);
    Param().m_pMPUProvider = &m_provider;
    Param().m_nBuild = 1;
  }
  CMPUPost& Mpu() const { return s_pSample->Mpu(); }
  TIBMLoadParam& Param() { return m_pDisplay->param; }

  static ibmtest::TOpenedSample* s_pSample;
  CPostFileMPUProvider m_provider{s_pSample->manager};
  std::unique_ptr<ibmtest::TSampleDisplay> m_pDisplay;
};
ibmtest::TOpenedSample* IBMPartLoaderSample::s_pSample = nullptr;
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
    CVResult* vr = VolumeResult(*s_pSample, row.id);
    ASSERT_TRUE(vr);
    CIBMPDLItem item;
    pvk::TDLoadOpt opt;
    if (row.deform) {
      item.SetVResultDeform(vr);
      ASSERT_EQ(item.LoadDeformData(opt, Param()), 1);
    } else {
      item.SetVResultMain(vr);
      ASSERT_EQ(item.LoadMainData(opt, Param()), 1);
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
  CVResult* vr = s_pSample->Step().GetPackage()->Find(pvk::LOC_NODE, 7202);
  ASSERT_TRUE(vr);
  CIBMPDLItem item;
  item.SetVResultMain(vr);
  pvk::TDLoadOpt opt;
  ASSERT_EQ(item.LoadMainData(opt, Param()), 1);
  CPVKIBMPartLoader loader;
  loader.GLBegin(&item, 1);
  EXPECT_EQ(loader.GetIBMPartLoaderHelper(), nullptr);
  EXPECT_EQ(loader.GLLoad(&item, Mpu().GetBodySets()[0].get()), 0);
}

}  // namespace
