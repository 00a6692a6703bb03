// Part loader helpers on given nodal data: the texels, the exact texture calls and what a
// backend reads back, over the three helper kinds; bad grids and node ids; the fatigue curve.
#include <functional>
#include <memory>

#include "GfxBackendFixture.h"
#include "ibm/IBMGlobalNone.h"
#include "ibm/IBMPDLItem.h"
#include "ibm/IBMTestGrid.h"
#include "render/GfxEnums.h"
#include "render/PBodyAPI.h"
#include "render/PVKIBMPartLoader.h"
#include "render/PVKIBMPartLoaderHelperFatigue.h"
#include "render/PVKIBMPartLoaderHelperVolume.h"
#include "support/MsgCapture.h"

namespace {

namespace gl = zar::oglib::gl;
using Floats = std::vector<float>;

// Nodal data with seven components per grid node of a unit: every third node id has no
// value, and the values lie in reverse node order, so that a start index is never the node.
class CGivenNodal : public CIBMGlobalNone {
public:
  static constexpr std::int32_t N_COMP = 7;
  explicit CGivenNodal(CMPUPost& mpu) {
    m_pMPU = &mpu;
    m_nCompCnt = N_COMP;
    const CMPUBody& body = mpu.GetBody();
    const std::int32_t n = body.GetNodeSize();
    m_aDSI.assign(n, 0);
    m_aDCT.assign(n, 0);
    for (std::int32_t nd = n - 1; nd >= 0; --nd) {
      if (body.GetNodeID(nd) % 3 == 0) continue;
      m_aDCT[nd] = 1;
      m_aDSI[nd] = static_cast<std::int32_t>(m_aComp[0].size());
      for (std::int32_t c = 0; c < N_COMP; ++c) m_aComp[c].push_back(Value(body.GetNodeID(nd), c));
    }
  }
  // Values that single precision rounds.
  static double Value(std::int32_t id, std::int32_t c) { return id / 3.0 + c * 1.1 - 2.0; }
  void TruncateComp(std::int32_t c, std::size_t n) { m_aComp[c].resize(n); }
  void DropNodeIndex() { m_aDSI.pop_back(); }
};

// The helpers, their data given rather than taken from the item.
template <class Base>
class CGivenVolume : public Base {
public:
  explicit CGivenVolume(const CIBMGlobalD& data) : m_data(data) {}

protected:
  const CIBMGlobalD* GetData(const CIBMPDLItem&) const override { return &m_data; }

private:
  const CIBMGlobalD& m_data;
};
class CGivenFatigue : public CPVKIBMPartLoaderHelperFatigue {
public:
  explicit CGivenFatigue(const CIBMGlobalD& data) : m_data(data) {}

protected:
  const CIBMGlobalD* GetStressData(const CIBMPDLItem&) const override { return &m_data; }

private:
  const CIBMGlobalD& m_data;
};

// The texels of components comps over grid, computed from the data as they are given.
Floats ExpectedTexels(const TMPUBodySet& set, const std::vector<std::int32_t>& comps) {
  const auto& n = set.m_pBndrD->m_aNumber;
  Floats texels(static_cast<std::size_t>(n[0]) * n[1] * n[2] * comps.size(), 0.0f);
  for (const std::int32_t id : set.m_aNodeID)
    for (std::size_t c = 0; id % 3 != 0 && c < comps.size(); ++c)
      texels[(id - set.m_pBndrD->m_nNidStart) * comps.size() + c] =
          static_cast<float>(CGivenNodal::Value(id, comps[c]));
  return texels;
}

std::vector<std::byte> Bytes(const Floats& v) {
  const auto b = std::as_bytes(std::span(v));
  return {b.begin(), b.end()};
}

// One texture of a helper and the floats it must hold.
struct TTex {
  zar::oglib::MTexture* pTex;
  unsigned format;
  const Floats& texels;
  bool bCurve = false;
};

// A grid of 3 x 3 x 2 linear cells with one cell left out, and a fatigue material.
class IBMPartLoaderTest : public GfxBackendTest {
protected:
  void SetUp() override {
    GfxBackendTest::SetUp();
    m_set = *m_grid.mpu.GetBodySets()[0];
    m_bndrD = *m_set.m_pBndrD;
    m_set.m_pBndrD = &m_bndrD;
    m_fatMat.m_nPointCnt = 3;
    m_fatMat.m_aTable = {{{1.1, 2.2, 3.3}, {4.4, 5.5, 6.6}, {7.7, 8.8, 9.9}}};
    m_fat.m_aMSCType = {10, 11, 12};
    m_set.m_pFatD = &m_fat;
    m_set.m_pFatMatD = &m_fatMat;
  }

  ibmtest::CTestGrid m_grid{
      {{.cells = {3, 3, 2}, .keep = [](int i, int j, int k) { return i + j + k != 0; }}}};
  CGivenNodal m_data{m_grid.mpu};
  CIBMPDLItem m_item;
  TMPUBodySet m_set;
  TMPUBndrD m_bndrD;
  TMPUFatD m_fat;
  TMPUFatMatD m_fatMat;
};
PVK_ON_BOTH_GFX_BACKENDS(IBMPartLoaderTest);

TEST_P(IBMPartLoaderTest, EachHelperKindMakesItsTexturesFromTheNodeValues) {
  CGivenVolume<CPVKIBMPartLoaderHelperDeform> deform(m_data);
  CGivenVolume<CPVKIBMPartLoaderHelperNodal> nodal(m_data);
  CGivenFatigue fatigue(m_data);
  const Floats translation = ExpectedTexels(m_set, {1, 2, 3}), scalar = ExpectedTexels(m_set, {0});
  const Floats normal = translation, shear = ExpectedTexels(m_set, {4, 5, 6});
  // The item has no main result: fatigue type 2 picks the curve coded 12.
  const Floats curve = {7.7f, 8.8f, 9.9f};
  struct Row {
    const char* name;
    IPVKIBMPartLoaderHelper& helper;
    zar::render::E_DATA_TYPE type;
    std::function<std::vector<TTex>()> textures;
    std::vector<const Floats*> buffers;
  } rows[] = {
      {"deformation",
       deform,
       zar::render::DATA_VOLUME,
       [&] {
         return std::vector<TTex>{{deform.GetVolumeTex(), gl::RGB, translation}};
       },
       {&deform.GetTexelBuffer()}},
      {"nodal",
       nodal,
       zar::render::DATA_VOLUME,
       [&] {
         return std::vector<TTex>{{nodal.GetVolumeTex(), gl::RED, scalar}};
       },
       {&nodal.GetTexelBuffer()}},
      {"fatigue",
       fatigue,
       zar::render::DATA_FATIGUE,
       [&] {
         return std::vector<TTex>{{fatigue.GetNormalTex(), gl::RGB, normal},
                                  {fatigue.GetShearTex(), gl::RGB, shear},
                                  {fatigue.GetResultTex(), gl::RED, curve, true}};
       },
       {&fatigue.GetNormalBuffer(), &fatigue.GetShearBuffer(), &fatigue.GetCurveBuffer()}},
  };
  const auto& n = m_bndrD.m_aNumber;
  for (Row& row : rows) {
    SCOPED_TRACE(row.name);
    if (m_pRecorder) m_pRecorder->ClearCalls();
    ASSERT_EQ(row.helper.GLCreateTexture(&m_item, &m_set), 1) << row.helper.GetReason().str();
    EXPECT_EQ(row.helper.GetHelperType(), row.type);
    const std::vector<TTex> textures = row.textures();
    for (std::size_t t = 0; t < textures.size(); ++t) {
      const TTex& tex = textures[t];
      EXPECT_EQ(*row.buffers[t], tex.texels) << t;
      ASSERT_TRUE(tex.pTex) << t;
      std::vector<std::byte> back(tex.texels.size() * sizeof(float));
      ASSERT_EQ(tex.pTex->GLGetTexImage(0, tex.format, gl::FLOAT, back), 1) << t;
      EXPECT_EQ(back, Bytes(tex.texels)) << t;
      if (!m_pRecorder) continue;
      // The image of each texture (after its generation and parameters): target and extent.
      const auto& image = m_pRecorder->GetCalls().at(3 * t + 2);
      const std::vector<std::int64_t> extent(image.aArg.begin() + 3, image.aArg.begin() + 6);
      const std::vector<std::int64_t> want = tex.bCurve
                                                 ? std::vector<std::int64_t>{3, 1, 1}
                                                 : std::vector<std::int64_t>{n[0], n[1], n[2]};
      EXPECT_EQ(image.aArg[0], tex.bCurve ? gl::TEXTURE_1D : gl::TEXTURE_3D) << t;
      EXPECT_EQ(extent, want) << t;
    }
    // A second body set replaces the textures and deletes the first ones.
    ASSERT_EQ(row.helper.GLCreateTexture(&m_item, &m_set), 1);
    if (m_pRecorder) {
      EXPECT_EQ(m_pRecorder->GetLiveObjectCount(), textures.size());
    }
    row.helper.GLDeleteTexture();
    EXPECT_EQ(row.textures()[0].pTex, nullptr);
    if (m_pRecorder) {
      EXPECT_EQ(m_pRecorder->GetLiveObjectCount(), 0u);
    }
  }
}

TEST_P(IBMPartLoaderTest, BadGridsAndDataAreRefusedAndBadNodesSkipped) {
  const std::int32_t first = m_bndrD.m_nNidStart;
  const std::int32_t points = m_bndrD.m_aNumber[0] * m_bndrD.m_aNumber[1] * m_bndrD.m_aNumber[2];
  const std::size_t valued = m_data.GetScalarComp().size();
  struct Row {
    const char* name;
    std::function<void(TMPUBodySet&, TMPUBndrD&, CGivenNodal&)> spoil;
    int result;
    std::int64_t skipped;
  } rows[] = {
      {"node ids before and past the grid",
       [&](TMPUBodySet& s, TMPUBndrD&, CGivenNodal&) {
         s.m_aNodeID.insert(s.m_aNodeID.end(), {first - 1, first + points, -5});
       },
       1, 3},
      {"start indices past the values",
       [&](TMPUBodySet&, TMPUBndrD&, CGivenNodal& d) { d.TruncateComp(0, valued - 2); }, 1, 2},
      {"a negative point count",
       [](TMPUBodySet&, TMPUBndrD& g, CGivenNodal&) { g.m_aNumber[1] = -4; }, 0, 0},
      {"more points than node ids",
       [](TMPUBodySet&, TMPUBndrD& g, CGivenNodal&) {
         g.m_aNumber = {65536, 65536, 2};
       },
       0, 0},
      {"a grid far too large for its nodes",
       [](TMPUBodySet&, TMPUBndrD& g, CGivenNodal&) {
         g.m_aNumber = {1000, 1000, 1000};
       },
       0, 0},
      {"data not indexed per grid node",
       [](TMPUBodySet&, TMPUBndrD&, CGivenNodal& d) { d.DropNodeIndex(); }, 0, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TMPUBodySet set = m_set;
    TMPUBndrD grid = m_bndrD;
    set.m_pBndrD = &grid;
    CGivenNodal data(m_grid.mpu);
    row.spoil(set, grid, data);
    CGivenVolume<CPVKIBMPartLoaderHelperNodal> helper(data);
    CMsgCapture warnings(zar::lib::EMsgLevel::Warning);
    ASSERT_EQ(helper.GLCreateTexture(&m_item, &set), row.result);
    EXPECT_EQ(warnings.m_texts.empty(), row.result == 1 && row.skipped == 0);
    if (row.result == 0) {
      EXPECT_FALSE(helper.GetReason().IsEmpty());
      EXPECT_EQ(helper.GetVolumeTex(), nullptr);
      continue;
    }
    EXPECT_EQ(helper.GetSkippedNodeCount(), row.skipped);
    EXPECT_EQ(helper.GetTexelBuffer().size(), static_cast<std::size_t>(points));
  }
}

TEST_P(IBMPartLoaderTest, CurveByFatigueTypeCodeAndTheEmptyCurve) {
  struct Row {
    std::array<std::int32_t, 3> codes;
    std::int32_t resultID;
    std::int32_t curve;
  } rows[] = {
      {{10, 11, 12}, 9001, 0}, {{10, 11, 12}, 9004, 1}, {{10, 11, 12}, 9006, 2},
      {{22, 31, 41}, 9003, 1}, {{5, 6, 7}, 9002, 0},    {{12, 2, 0}, 7201, 0},
  };
  for (const Row& row : rows) {
    TMPUFatD fat;
    fat.m_aMSCType = row.codes;
    EXPECT_EQ(CPVKIBMPartLoaderHelperFatigue::ChooseCurve(
                  fat, CPVKIBMPartLoaderHelperFatigue::GetFatigueType(row.resultID)),
              row.curve)
        << row.resultID << " " << row.codes[0];
  }
  // A body without fatigue material gets a curve texture of width 0 without data; a count past
  // the table is refused.
  CGivenFatigue helper(m_data);
  m_set.m_pFatMatD = nullptr;
  ASSERT_EQ(helper.GLCreateTexture(&m_item, &m_set), 1);
  std::vector<std::byte> none;
  EXPECT_EQ(helper.GetResultTex()->GLGetTexImage(0, gl::RED, gl::FLOAT, none), 1);
  if (m_pRecorder) {
    const auto& image = m_pRecorder->GetCalls().end()[-2];  // before the read back
    EXPECT_EQ(image.aArg[3], 0);
    EXPECT_TRUE(image.aData.empty());
  }
  m_fatMat.m_nPointCnt = 4;
  m_set.m_pFatMatD = &m_fatMat;
  EXPECT_EQ(helper.GLCreateTexture(&m_item, &m_set), 0);
  EXPECT_EQ(helper.GetResultTex(), nullptr);
}

TEST(IBMPartLoader, HelperChoiceWithoutMainDataAndBodyAPIInstance) {
  CPVKIBMPartLoader loader;
  CIBMPDLItem item;
  TMPUBndrD grid;
  TMPUBodySet set;
  set.m_pBndrD = &grid;
  loader.GLBegin(&item, 0);
  ASSERT_TRUE(loader.GetIBMPartLoaderHelper());
  EXPECT_EQ(loader.GetIBMPartLoaderHelper()->GetHelperType(), zar::render::DATA_VOLUME);
  // Without deformation data the load fails with a reason; without a body set it does nothing.
  EXPECT_EQ(loader.GLLoad(&item, nullptr), 0);
  EXPECT_TRUE(loader.GetIBMPartLoaderHelper()->GetReason().IsEmpty());
  EXPECT_EQ(loader.GLLoad(&item, &set), 0);
  EXPECT_FALSE(loader.GetIBMPartLoaderHelper()->GetReason().IsEmpty());
  loader.GLBegin(&item, 1);
  EXPECT_EQ(loader.GetIBMPartLoaderHelper(), nullptr);
  EXPECT_EQ(loader.GLLoad(&item, &set), 0);
  loader.GLEnd();

  struct CBodies : IPBodyAPI {
    void* GetBodyModel() override { return nullptr; }
    std::uint64_t GetBodyKey(std::int32_t) override { return 0; }
  };
  EXPECT_EQ(IPBodyAPI::GetInstance(), nullptr);
  {
    CBodies bodies;
    EXPECT_EQ(IPBodyAPI::GetInstance(), &bodies);
  }
  EXPECT_EQ(IPBodyAPI::GetInstance(), nullptr);
}

}  // namespace
