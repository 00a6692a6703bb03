// Contour pictures: the outer faces of meshes that fill a box, bands as the legend counts
// them, the calls the picture makes on a backend and its failures, and on OpenGL the colours of
// the legend bar against the model's.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>
#include <set>

#include "GfxBackendFixture.h"
#include "render/ContourBands.h"
#include "render/ContourPicture.h"
#include "render/LegendBandCounter.h"
#include "render/OuterFaces.h"
#include "support/MsgCapture.h"

namespace {

using namespace pvk::picture;
using zar::oglib::EGfxCall;

struct TBox {
  std::vector<TPoint> points;
  std::vector<TMeshElem> elems;
  std::array<int, 3> n;  // cells along x, y, z
};

enum class EFill { HEX, QUADRATIC_AND_TURNED_HEX, WEDGE, TET };

// A box of nx × ny × nz unit cells filled with elements of one kind.
TBox MakeBox(int nx, int ny, int nz, EFill fill) {
  TBox box{{}, {}, {nx, ny, nz}};
  for (int k = 0; k <= nz; ++k)
    for (int j = 0; j <= ny; ++j)
      for (int i = 0; i <= nx; ++i) box.points.push_back({{double(i), double(j), double(k)}});
  const auto at = [&](int i, int j, int k) {
    return static_cast<std::uint32_t>((k * (ny + 1) + j) * (nx + 1) + i);
  };
  for (int k = 0; k < nz; ++k)
    for (int j = 0; j < ny; ++j)
      for (int i = 0; i < nx; ++i) {
        const std::array<std::uint32_t, 8> c = {
            at(i, j, k),     at(i + 1, j, k),     at(i + 1, j + 1, k),     at(i, j + 1, k),
            at(i, j, k + 1), at(i + 1, j, k + 1), at(i + 1, j + 1, k + 1), at(i, j + 1, k + 1)};
        const bool odd = (i + j + k) % 2 == 1;
        if (fill == EFill::HEX || fill == EFill::QUADRATIC_AND_TURNED_HEX) {
          TMeshElem e{odd && fill != EFill::HEX ? 15 : 14, c};
          // Bottom and top swapped: the nodes run the other way round.
          if (odd && fill != EFill::HEX)
            e.aCorner = {c[4], c[5], c[6], c[7], c[0], c[1], c[2], c[3]};
          box.elems.push_back(e);
        } else if (fill == EFill::WEDGE) {
          box.elems.push_back({12, {c[0], c[1], c[2], c[4], c[5], c[6]}});
          box.elems.push_back({12, {c[0], c[2], c[3], c[4], c[6], c[7]}});
        } else {
          // Six tetrahedra around the diagonal 0–6.
          const int ring[] = {1, 2, 3, 7, 4, 5, 1};
          for (int t = 0; t < 6; ++t)
            box.elems.push_back({8, {c[0], c[ring[t]], c[ring[t + 1]], c[6]}});
        }
      }
  return box;
}

TPoint Normal(const TOuterFace& f, const std::vector<TPoint>& p) {
  const auto& n = f.aNode;
  return f.nCorner == 4 ? (p[n[2]] - p[n[0]]).Cross(p[n[3]] - p[n[1]]) * 0.5
                        : (p[n[1]] - p[n[0]]).Cross(p[n[2]] - p[n[0]]) * 0.5;
}

// Only faces on the box's sides, each once, outwards, and together the whole surface.
TEST(OuterFaces, OfAFilledBoxAreItsSurfaceOnceAndOutwards) {
  const EFill fills[] = {EFill::HEX, EFill::QUADRATIC_AND_TURNED_HEX, EFill::WEDGE, EFill::TET};
  for (const EFill fill : fills)
    for (const auto& [nx, ny, nz] : {std::array{1, 1, 1}, std::array{4, 3, 2}}) {
      SCOPED_TRACE(testing::Message() << int(fill) << ": " << nx << "x" << ny << "x" << nz);
      const TBox box = MakeBox(nx, ny, nz, fill);
      const TOuterFaces faces = ExtractOuterFaces(box.elems, box.points);
      EXPECT_EQ(faces.nSkipped, 0u);
      std::set<std::set<std::uint32_t>> seen;
      double area = 0.0;
      for (const TOuterFace& f : faces.aFace) {
        EXPECT_TRUE(seen.insert({f.aNode.begin(), f.aNode.begin() + f.nCorner}).second);
        const TPoint normal = Normal(f, box.points);
        area += normal.Length();
        // One axis is the normal's; every corner lies on that side of the box.
        int axis = 0;
        for (int a = 1; a < 3; ++a)
          if (std::abs(normal[a]) > std::abs(normal[axis])) axis = a;
        const double side = normal[axis] > 0 ? box.n[axis] : 0.0;
        for (std::uint32_t c = 0; c < f.nCorner; ++c) EXPECT_EQ(box.points[f.aNode[c]][axis], side);
        EXPECT_NEAR(normal.Length(), std::abs(normal[axis]), 1e-12);
      }
      EXPECT_NEAR(area, 2.0 * (nx * ny + ny * nz + nz * nx), 1e-9);
    }
}

TEST(OuterFaces, ShellsAndBeamsShowThemselvesAndBadElementsNothing) {
  const std::vector<TPoint> p = {{{0, 0, 0}}, {{1, 0, 0}}, {{1, 1, 0}}, {{0, 1, 0}}};
  const std::vector<TMeshElem> elems = {
      {7, {0, 1, 2, 3}},  // quadratic shell by its corners
      {4, {0, 1, 2}},    {3, {0, 2}},
      {1, {0}},                                           // a point shows nothing
      {0, {}},           {14, {0, 1, 2, 3, 0, 1, 2, 9}},  // no type; a node out of range
  };
  const TOuterFaces faces = ExtractOuterFaces(elems, p);
  ASSERT_EQ(faces.aFace.size(), 2u);
  EXPECT_EQ(faces.aFace[0].nCorner, 4u);
  EXPECT_EQ(faces.aFace[1].nElem, 1u);
  ASSERT_EQ(faces.aLine.size(), 1u);
  EXPECT_EQ(faces.aLine[0].aNode, (std::array<std::uint32_t, 2>{0, 2}));
  EXPECT_EQ(faces.nSkipped, 2u);
}

// A value's band is the band the legend counts it into, and its coordinate lies in that
// band's texel; a value that is not finite takes the grey texel.
TEST(ContourBands, AValueTakesTheBandTheLegendCountsItInto) {
  std::mt19937_64 rng(7);
  std::uniform_int_distribution<int> grid(-8, 8);
  for (const std::vector<double>& ranks :
       {std::vector<double>{0, 2, 4}, {-1, -0.5, 0, 0.5, 1, 1.5}, {3, 3, 5}}) {
    const double texels = static_cast<double>(ranks.size());
    for (int i = 0; i < 200; ++i) {
      const double v = grid(rng) * 0.25;
      CLegendBandCounter counter(ranks);
      counter.Add(std::span(&v, 1));
      const auto counts = counter.GetCounts();
      const std::size_t band = LegendBand(ranks, v);
      EXPECT_EQ(counts[band], 1u) << v;
      EXPECT_EQ(std::floor(LegendCoord(ranks, v) * texels), band) << v;
      EXPECT_EQ(std::floor(LegendBandCoord(ranks, v) * texels), band) << v;
    }
    EXPECT_EQ(std::floor(LegendCoord(ranks, NAN) * texels), texels - 1);
  }
  EXPECT_EQ(BandColor(0, 9), (TRgb{0, 0, 255}));
  EXPECT_EQ(BandColor(8, 9), (TRgb{255, 0, 0}));
}

// Values rising along x: each band a stripe across the front of the block.
struct TPictureCase {
  TBox box = MakeBox(8, 1, 2, EFill::HEX);
  std::vector<double> nodeValues, ranks = {0, 2, 4, 6, 8};
  TOuterFaces faces;
  TPictureCase() {
    for (const TPoint& p : box.points) nodeValues.push_back(p[0]);
    faces = ExtractOuterFaces(box.elems, box.points);
  }
  int Make(int width, int height, TContourPicture& pic, CString& reason) const {
    return MakeContourPicture(box.points, faces, {ranks, nodeValues, {}}, {"T", "mm"}, EView::NEG_Y,
                              width, height, pic, reason);
  }
};

using ContourPictureTest = GfxBackendTest;
PVK_ON_BOTH_GFX_BACKENDS(ContourPictureTest);

TEST_P(ContourPictureTest, DrawsTheFacesAndLeavesNoObjectBehind) {
  const TPictureCase c;
  TContourPicture pic;
  CString reason;
  ASSERT_TRUE(c.Make(320, 240, pic, reason)) << reason.str();
  EXPECT_EQ(pic.image.aByte.size(), 320u * 240u * 4u);
  if (!m_pRecorder) return;
  std::vector<EGfxCall> kinds;
  for (const auto& call : m_pRecorder->GetCalls()) kinds.push_back(call.eCall);
  const auto count = [&](EGfxCall k) { return std::count(kinds.begin(), kinds.end(), k); };
  EXPECT_EQ(count(EGfxCall::CREATE_FRAMEBUFFER), 1);
  EXPECT_EQ(count(EGfxCall::READ_PIXELS), 1);
  ASSERT_EQ(count(EGfxCall::DRAW), 1);  // faces only: no beams
  const auto& draw = *std::find_if(m_pRecorder->GetCalls().begin(), m_pRecorder->GetCalls().end(),
                                   [](const auto& call) { return call.eCall == EGfxCall::DRAW; });
  EXPECT_EQ(draw.aArg[5], static_cast<std::int64_t>(6 * c.faces.aFace.size()));  // index count
  const auto& tex =
      *std::find_if(m_pRecorder->GetCalls().begin(), m_pRecorder->GetCalls().end(),
                    [](const auto& call) { return call.eCall == EGfxCall::TEX_IMAGE; });
  EXPECT_EQ(tex.aArg[3], static_cast<std::int64_t>(c.ranks.size()));  // bands and grey
  EXPECT_EQ(m_pRecorder->GetLiveObjectCount(), 0u);
}

TEST(ContourPicture, FailuresGiveZeroAndAReason) {
  const TPictureCase c;
  zar::oglib::MRecordingBackend small;
  small.SetMemoryLimit(1000);
  struct TCase {
    const char* what;
    zar::oglib::IGfxBackend* backend;
    int width, height;
  };
  const TCase cases[] = {{"no backend", nullptr, 320, 240},
                         {"out of graphics memory", &small, 320, 240},
                         {"too small", &small, 100, 50}};
  for (const TCase& k : cases) {
    CMsgCapture quiet;
    auto* previous = zar::oglib::SetGfxBackend(k.backend);
    TContourPicture pic;
    CString reason;
    EXPECT_EQ(c.Make(k.width, k.height, pic, reason), 0) << k.what;
    EXPECT_FALSE(reason.IsEmpty()) << k.what;
    zar::oglib::SetGfxBackend(previous);
  }
  EXPECT_EQ(small.GetLiveObjectCount(), 0u);
}

// The bar's bands from the bottom take the colours of the ranks in order, and the model's
// stripes from low x to high x the same colours.
using ContourPictureOnOpenGL = GfxBackendTest;
INSTANTIATE_TEST_SUITE_P(Backends, ContourPictureOnOpenGL, testing::Values(EGfxBackendKind::OPENGL),
                         GfxBackendName);

TEST_P(ContourPictureOnOpenGL, TheBarShowsTheBandsInRankOrderAsTheModelDoes) {
  const TPictureCase c;
  TContourPicture pic;
  CString reason;
  ASSERT_TRUE(c.Make(320, 240, pic, reason)) << reason.str();
  const std::size_t bands = c.ranks.size() - 1;
  const TRect& bar = pic.layout.bar;
  const auto rgb = [&](int x, int y) {
    const std::uint8_t* p = pic.image.At(x, y);
    return TRgb{p[0], p[1], p[2]};
  };
  for (std::size_t b = 0; b < bands; ++b) {
    const double mid = bar.y1 - (b + 0.5) * (bar.y1 - bar.y0) / double(bands);
    EXPECT_EQ(rgb((bar.x0 + bar.x1) / 2, static_cast<int>(mid)), BandColor(b, bands)) << b;
  }
  // Across the middle of the model: the distinct colours met from left to right.
  const TRect& m = pic.layout.model;
  std::vector<TRgb> met;
  for (int x = m.x0; x < m.x1; ++x) {
    const TRgb color = rgb(x, (m.y0 + m.y1) / 2);
    if (color != TRgb{255, 255, 255} && (met.empty() || met.back() != color)) met.push_back(color);
  }
  ASSERT_EQ(met.size(), bands);
  for (std::size_t b = 0; b < bands; ++b) EXPECT_EQ(met[b], BandColor(b, bands)) << b;
}

}  // namespace
