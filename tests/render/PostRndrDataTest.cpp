#include <cmath>
#include <cstring>
#include <limits>

#include "GfxBackendFixture.h"
#include "render/GfxEnums.h"
#include "render/PostRndrData.h"
#include "support/MsgCapture.h"

namespace {

namespace gl = zar::oglib::gl;
using pvk::TVBOModelList;
using zar::render::E_VBO_ATTRIB;

// Render data that counts its handler calls, by slot: initialize, change result, change
// option, set plane result, plane result data, show/hide, animation.
class CTestRndrData : public pvk::CPostRndrData {
public:
  using CPostRndrData::GLClearList;
  using CPostRndrData::LoadDataEdgeVBO;
  using CPostRndrData::LoadDataFaceVBO;

  void Clear() override {}
  int HasData() const override { return 0; }

  struct TCall {
    int nHandler;
    pvk::T_RNDRD_ARG* pArg;
    const pvk::TRndrDMPUInfo* pInfo;
  };
  std::vector<TCall> m_aCall;

protected:
#define PVK_RECORD(handler, slot)                                           \
  void handler(pvk::T_RNDRD_ARG* a, const pvk::TRndrDMPUInfo* i) override { \
    m_aCall.push_back({slot, a, i});                                        \
  }
  PVK_RECORD(_UpdateInitialize, 0)
  PVK_RECORD(_UpdateChangeResult, 1)
  PVK_RECORD(_UpdateChangeOption, 2)
  PVK_RECORD(_UpdateSetPlaneResult, 3)
  PVK_RECORD(_UpdatePlaneResultData, 4)
  PVK_RECORD(_UpdateShowHide, 5)
  PVK_RECORD(_UpdateAnimation, 6)
#undef PVK_RECORD
};

TEST(PostRndrData, UpdateKindsReachTheirHandler) {
  const struct {
    std::int32_t kind;
    int handler;  // -1: none
  } cases[] = {{1, 0}, {2, 1}, {4, 2}, {8, 5}, {16, 6}, {0, -1}, {3, -1}, {32, -1}, {-1, -1}};
  pvk::T_RNDRD_ARG arg;
  const pvk::TRndrDMPUInfo info;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    CTestRndrData data;
    data.Update({&arg, &info, c.kind});
    if (c.handler < 0) {
      EXPECT_TRUE(data.m_aCall.empty());
      continue;
    }
    ASSERT_EQ(data.m_aCall.size(), 1u);
    EXPECT_EQ(data.m_aCall[0].nHandler, c.handler);
    EXPECT_EQ(data.m_aCall[0].pArg, &arg);
    EXPECT_EQ(data.m_aCall[0].pInfo, &info);
  }
}

template <class T>
using TPoints = zar::MTArray<zar::MVector<T, 3>>;

struct TInput {
  TPoints<double> pts, normals;
  zar::MTArray<double> vals;
};

TInput MakeInput(std::size_t n, std::size_t normals, std::size_t vals) {
  TInput in;
  for (std::size_t i = 0; i < n; ++i) in.pts.push_back({{0.5 * i, 1.0 - i, 2.25 + i}});
  for (std::size_t i = 0; i < normals; ++i) in.normals.push_back({{0.0, -1.0 * i, 0.125}});
  for (std::size_t i = 0; i < vals; ++i) in.vals.push_back(1e-3 * static_cast<double>(i) - 7.0);
  return in;
}

template <class T>
TPoints<T> Cast(const TPoints<double>& in) {
  TPoints<T> out;
  for (const auto& p : in)
    out.push_back({{static_cast<T>(p[0]), static_cast<T>(p[1]), static_cast<T>(p[2])}});
  return out;
}

struct TLoadCase {
  const char* name;
  bool face, values, dbl;
};

// Calls the overload that the case names.
int Load(CTestRndrData& d, const TLoadCase& c, const TInput& in, TVBOModelList& list) {
  if (c.dbl) {
    if (c.face)
      return c.values ? d.LoadDataFaceVBO(in.pts, in.normals, in.vals, list)
                      : d.LoadDataFaceVBO(in.pts, in.normals, list);
    return c.values ? d.LoadDataEdgeVBO(in.pts, in.vals, list) : d.LoadDataEdgeVBO(in.pts, list);
  }
  const auto pts = Cast<float>(in.pts), normals = Cast<float>(in.normals);
  const zar::MTArray<float> vals(in.vals.begin(), in.vals.end());
  if (c.face)
    return c.values ? d.LoadDataFaceVBO(pts, normals, vals, list)
                    : d.LoadDataFaceVBO(pts, normals, list);
  return c.values ? d.LoadDataEdgeVBO(pts, vals, list) : d.LoadDataEdgeVBO(pts, list);
}

const TLoadCase LOAD_CASES[] = {
    {"face, values, double", true, true, true},  {"face, float", true, false, false},
    {"face, values, float", true, true, false},  {"edge, double", false, false, true},
    {"edge, values, double", false, true, true}, {"edge, values, float", false, true, false},
};

template <class V>
std::vector<V> ReadBack(const zar::oglib::MBuffer& b) {
  std::vector<V> out(b.GetSize() / sizeof(V));
  EXPECT_EQ(b.GLGetData(0, std::as_writable_bytes(std::span(out))), 1) << b.GetReason().str();
  return out;
}

using RndrDataVBOTest = GfxBackendTest;
PVK_ON_BOTH_GFX_BACKENDS(RndrDataVBOTest);

// Positions, then normals, then values, each a block of n; indices 0 … n−1; one part, one
// identity instance.
TEST_P(RndrDataVBOTest, ModelsHoldTheBlocksAndIndicesGiven) {
  for (const std::size_t n : {2u, 3u, 301u})
    for (const TLoadCase& c : LOAD_CASES) {
      SCOPED_TRACE(testing::Message() << c.name << ", " << n << " points");
      const TInput in = MakeInput(n, c.face ? n : 0, c.values ? n : 0);
      CTestRndrData data;
      TVBOModelList list;
      ASSERT_EQ(Load(data, c, in, list), 1);
      ASSERT_EQ(list.size(), 1u);
      const auto& model = *list.front();
      const std::vector<float> block = ReadBack<float>(model.GetAttribBuffer());
      ASSERT_EQ(block.size(), n * (c.face ? 6 : 3) + (c.values ? n : 0));
      const std::size_t valueAt = (c.face ? 6 : 3) * n;
      for (std::size_t i = 0; i < n; ++i)
        for (std::size_t k = 0; k < 3; ++k) {
          ASSERT_EQ(block[3 * i + k], static_cast<float>(in.pts[i][k]));
          if (c.face) {
            ASSERT_EQ(block[3 * (n + i) + k], static_cast<float>(in.normals[i][k]));
          }
          if (c.values) {
            ASSERT_EQ(block[valueAt + i], static_cast<float>(in.vals[i]));
          }
        }
      std::vector<zar::render::TVBOAttrib> attribs = {{E_VBO_ATTRIB::POSITION, 0, 3, gl::FLOAT, 0}};
      if (c.face) attribs.push_back({E_VBO_ATTRIB::NORMAL, 0, 3, gl::FLOAT, 12 * n});
      if (c.values) attribs.push_back({E_VBO_ATTRIB::TEXCOORD, 1, 1, gl::FLOAT, 4 * valueAt});
      EXPECT_EQ(model.GetAttribs(), attribs);
      ASSERT_EQ(model.GetParts().size(), 1u);
      const auto& part = model.GetParts()[0];
      EXPECT_EQ(part.nPrimitive, c.face ? gl::TRIANGLES : gl::LINES);
      EXPECT_EQ(part.nCount, n);
      EXPECT_EQ(part.nOffset, 0u);
      EXPECT_EQ(part.rWidth, 1.0f);
      const auto index = ReadBack<std::uint32_t>(*part.pIndex);
      ASSERT_EQ(index.size(), n);
      for (std::size_t i = 0; i < n; ++i) ASSERT_EQ(index[i], i);
      EXPECT_EQ(model.GetInstances(),
                (zar::MArray<zar::render::TVBOTransform>{zar::render::IDENTITY_TRANSFORM}));
      CTestRndrData::GLClearList(&list);
    }
}

TEST_P(RndrDataVBOTest, BadInputKeepsAReason) {
  constexpr float INF = std::numeric_limits<float>::infinity();
  TInput notANumber = MakeInput(3, 3, 3), beyondFloat = MakeInput(3, 3, 3);
  notANumber.vals[1] = std::nan("");
  beyondFloat.pts[2][0] = -1e300;
  const struct {
    const char* name;
    TInput in;
    int result;
    std::size_t models;
    float x2;  // the first coordinate of point 2 as stored
  } cases[] = {
      {"no points", MakeInput(0, 0, 0), 1, 0, 0},   {"fewer normals", MakeInput(3, 2, 3), 0, 0, 0},
      {"more values", MakeInput(3, 3, 4), 0, 0, 0}, {"not a number", notANumber, 1, 1, 1.0f},
      {"beyond float", beyondFloat, 1, 1, -INF},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CTestRndrData data;
    TVBOModelList list;
    CMsgCapture warnings(zar::lib::EMsgLevel::Warning);
    EXPECT_EQ(data.LoadDataFaceVBO(c.in.pts, c.in.normals, c.in.vals, list), c.result);
    ASSERT_EQ(list.size(), c.models);
    EXPECT_EQ(data.GetReason().IsEmpty(), c.result == 1 && c.models == 0);
    EXPECT_EQ(warnings.m_texts.empty(), data.GetReason().IsEmpty());
    if (c.models == 0) continue;
    // Values that are not finite are kept as they are.
    const auto block = ReadBack<float>(list.front()->GetAttribBuffer());
    EXPECT_EQ(block[6], c.x2);
    EXPECT_EQ(std::isnan(block[19]), std::isnan(c.in.vals[1]));
    CTestRndrData::GLClearList(&list);
  }
}

// A cleared list deletes its buffers; a backend out of memory drops the model.
TEST(RecordingBackend, ClearedAndOutOfMemoryModelsLeaveNoBuffers) {
  zar::oglib::MRecordingBackend rec;
  zar::oglib::IGfxBackend* previous = zar::oglib::SetGfxBackend(&rec);
  const TInput in = MakeInput(3, 3, 3);
  CTestRndrData data;
  TVBOModelList list;
  ASSERT_EQ(data.LoadDataFaceVBO(in.pts, in.normals, in.vals, list), 1);
  EXPECT_EQ(rec.GetLiveObjectCount(), 2u);
  CTestRndrData::GLClearList(&list);
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(rec.GetLiveObjectCount(), 0u);

  // The index buffer does not fit: the model is dropped with both its buffers.
  rec.SetMemoryLimit(90);
  EXPECT_EQ(data.LoadDataFaceVBO(in.pts, in.normals, in.vals, list), 1);
  EXPECT_TRUE(list.empty());
  EXPECT_NE(data.GetReason().Find(L"Out of graphics memory"), -1);
  EXPECT_EQ(rec.GetLiveObjectCount(), 0u);
  zar::oglib::SetGfxBackend(previous);
}

}  // namespace
