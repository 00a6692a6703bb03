#include <gtest/gtest.h>
#include <omp.h>

#include <cmath>
#include <cstring>
#include <random>

#include "csys/PrincipalValues.h"
#include "csys/SymEigen3.h"
#include "ibm/IBMGlobalElem.h"
#include "ibm/IBMGlobalElemVolume.h"
#include "tests/ibm/IBMTestGrid.h"

namespace {

using ibmtest::CTestGrid;
using ibmtest::TGridBody;
using ibmtest::Vec3;

// An 8-node and a 20-node grid, both turned off the global axes and moved.
std::vector<TGridBody> RotatedBodies(std::int32_t n8 = 3, std::int32_t n20 = 2) {
  TGridBody a;
  a.cells = {n8, n8 - 1, n8};
  a.step = 0.7;
  a.rot = ibmtest::AxisRotation({{1, 2, 3}}, 0.6);
  a.origin = {{0.5, -1, 2}};
  a.origin2 = {{3, 0, -2}};
  TGridBody b = a;
  b.order = 2;
  b.cells = {n20, n20, n20 + 1};
  b.rot = ibmtest::AxisRotation({{-2, 1, 0.5}}, 1.1);
  b.origin = {{-4, 1, 0}};
  b.keep = [](std::int32_t i, std::int32_t j, std::int32_t k) { return (i + j + k) % 4 != 1; };
  return {a, b};
}

// The world position of grid coordinates q of the body's grid.
Vec3 World(const TMPUBndrD& g, const Vec3& q) {
  const Vec3 o{{g.m_aOrigin[0], g.m_aOrigin[1], g.m_aOrigin[2]}};
  const Vec3 o2{{g.m_aOrigin2[0], g.m_aOrigin2[1], g.m_aOrigin2[2]}};
  return ibmtest::RotateBack(g.m_aRot, q + o) + o2;
}

double Linear(int c, Vec3 p) { return 1.5 + c - 0.8 * p[0] + 2.25 * p[1] + 0.5 * p[2]; }

struct ElemRun {
  CTestGrid grid;
  TIBMLoadParam param;
  explicit ElemRun(std::vector<TGridBody> bodies = RotatedBodies()) : grid(bodies) {
    param.m_pMPUData = &grid.display;
    param.m_pMesh = &grid;
    param.m_nBuild = 1;
  }
  // Builds r for result res of amount type amt from per-node values.
  template <class F>
  int Build(CIBMGlobalElemBase& r, pvk::AMT_TYPE amt, std::int32_t res, F value,
            std::int32_t anal = 0, std::shared_ptr<CPostPartialDList> pair = nullptr) {
    pvk::TDLoadOpt opt{amt, pvk::LOC_IBM_VOLUME_NODE, anal, res, 1e6};
    if (!r.InitData(&grid.mpu, opt, 0)) return 0;
    return r.SetGlobal(param, grid.Values(amt, r.GetCompCnt(), value), pair);
  }
};

// A linear field is reproduced at every display node, tessellation vertex and picked point of
// grids that are not aligned with the global axes.
TEST(IBMGlobalElem, LinearFieldOnRotatedGridsIsReproduced) {
  ElemRun run;
  std::mt19937 rng(3);
  std::uniform_real_distribution<double> u(0.0, 1.0);
  std::vector<Vec3> picks;
  for (std::size_t b = 0; b < 2; ++b) {
    const TMPUBndrD& g = *run.grid.mpu.GetBodySets()[b]->m_pBndrD;
    for (int i = 0; i < 300; ++i)
      run.grid.vertices[b].push_back(
          World(g, {{u(rng) * g.m_aExtent[0], u(rng) * g.m_aExtent[1], u(rng) * g.m_aExtent[2]}}));
  }
  CIBMGlobalElemVolume volume;
  ASSERT_EQ(run.Build(volume, pvk::AMT_SCALAR, 7401, Linear), 1);
  const auto& body = run.grid.mpu.GetBody();
  std::int32_t nChecked = 0;
  for (std::int32_t nd = 0; nd < body.GetNodeSize(); ++nd) {
    if (!volume.GetDCT()[nd]) continue;
    ++nChecked;
    EXPECT_NEAR(volume.GetScalarComp()[volume.GetDSI()[nd]], Linear(0, run.grid.GetNodePos(nd)),
                2e-5)
        << nd;
  }
  EXPECT_GT(nChecked, 100);

  CIBMGlobalElem elem;
  ASSERT_EQ(run.Build(elem, pvk::AMT_SCALAR, 7401, Linear), 1);
  ASSERT_EQ(elem.GetVertexSize(), 600);
  std::vector<Vec3> inside;
  for (std::int32_t v = 0; v < elem.GetVertexSize(); ++v) {
    const Vec3& p = elem.GetPos()[v];
    double value = -99.0;
    if (!volume.GetPosValue(p, value)) continue;  // a vertex in a cell that is left out
    inside.push_back(p);
    EXPECT_NEAR(value, Linear(0, p), 1e-9) << v;
    EXPECT_NEAR(elem.GetScalarComp()[v], Linear(0, p), 5e-5) << v;
  }
  EXPECT_GT(inside.size(), 450u);
  // Queries after a new build read the new data, not what the last query kept.
  ASSERT_EQ(volume.SetGlobal(run.param, run.grid.Values(pvk::AMT_SCALAR, 1,
                                                        [](int, Vec3 p) { return Linear(1, p); })),
            1);
  for (const Vec3& p : inside) {
    double value = -99.0;
    ASSERT_EQ(volume.GetPosValue(p, value), 1);
    EXPECT_NEAR(value, Linear(1, p), 1e-9);
  }
  const TMPUBndrD& g = *run.grid.mpu.GetBodySets()[0]->m_pBndrD;
  double value = 42.0;
  for (const double over : {-1e-3, 1e-3}) {
    const Vec3 q{
        {g.m_aExtent[0] * 0.5, g.m_aExtent[1] * 0.5, over < 0 ? over : g.m_aExtent[2] + over}};
    EXPECT_EQ(volume.GetPosValue(World(g, q), value), 0);
  }
  EXPECT_EQ(value, 42.0);
}

// Points find their cell by the unit's cell numbers behind a grid before, also in quadratic
// grids whose odd number of point intervals along an axis ends in a half cell.
TEST(IBMGlobalElem, EveryKeptCellIsFoundInGridsWithHalfCells) {
  for (std::size_t axis = 0; axis < 3; ++axis) {
    TGridBody before;
    before.origin = {{100, 100, 100}};
    TGridBody b;
    b.order = 2;
    b.cells = {3, 2, 2};
    b.halfCell[axis] = 1;
    b.rot = ibmtest::AxisRotation({{1, -1, 2}}, 0.4);
    b.keep = [](std::int32_t i, std::int32_t j, std::int32_t k) {
      return (i + 2 * j + k) % 3 != 0;
    };
    ElemRun run({before, b});
    CIBMGlobalElemVolume volume;
    ASSERT_EQ(run.Build(volume, pvk::AMT_SCALAR, 7401, Linear), 1) << axis;
    for (std::int32_t k = 0; k < b.cells[2]; ++k)
      for (std::int32_t j = 0; j < b.cells[1]; ++j)
        for (std::int32_t i = 0; i < b.cells[0]; ++i) {
          if (!b.keep(i, j, k)) continue;
          const double d = b.step * b.order;
          const Vec3 q{{(i + 0.3) * d, (j + 0.6) * d, (k + 0.5) * d}};
          const Vec3 p = ibmtest::RotateBack(b.rot, q + b.origin) + b.origin2;
          double value = 0;
          ASSERT_EQ(volume.GetPosValue(p, value), 1) << axis << ": " << i << j << k;
          EXPECT_NEAR(value, Linear(0, p), 1e-9);
        }
  }
}

// The claim order of shared nodes must not show in the values.
TEST(IBMGlobalElemVolume, ParallelLoopMatchesOneThreadBitForBit) {
  ElemRun run(RotatedBodies(12, 8));
  auto field = [](int c, Vec3 p) { return std::sin(p[0] + c) * std::cos(2 * p[1]) + p[2] * p[2]; };
  const int nThreads = omp_get_max_threads();
  omp_set_num_threads(1);
  CIBMGlobalElemVolume one;
  ASSERT_EQ(run.Build(one, pvk::AMT_VECTOR, 101, field), 1);
  omp_set_num_threads(std::max(nThreads, 4));
  for (int rep = 0; rep < 20; ++rep) {
    CIBMGlobalElemVolume many;
    ASSERT_EQ(run.Build(many, pvk::AMT_VECTOR, 101, field), 1);
    for (std::int32_t c = 0; c < 4; ++c) {
      const auto& a = *one.GetCompData(c);
      const auto& b = *many.GetCompData(c);
      ASSERT_EQ(a.size(), b.size());
      ASSERT_EQ(std::memcmp(a.data(), b.data(), a.size() * sizeof(double)), 0) << rep << " " << c;
    }
  }
  omp_set_num_threads(nThreads);
}

TEST(IBMGlobalKernel, PrincipalValuesAgreeWithTheDoubleSolver) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> u(-1.0, 1.0);
  for (int i = 0; i < 2000; ++i) {
    const double scale = std::pow(10.0, 6 * u(rng));
    double s[6];
    for (double& x : s) x = scale * u(rng);
    if (i % 5 == 0) s[3] = s[4] = s[5] = 0.0;  // diagonal: repeated and exact cases
    if (i % 10 == 0) s[1] = s[0];
    double a[3][3] = {{s[0], s[3], s[5]}, {s[3], s[1], s[4]}, {s[5], s[4], s[2]}}, ref[3],
           dirs[3][3];
    ASSERT_EQ(pvk::csys::PrincipalValues(a, ref, dirs, pvk::csys::SolveSymEigen3), 1);
    float sf[6], pf[3];
    double pd[3];
    for (int k = 0; k < 6; ++k) sf[k] = float(s[k]);
    pvk::ibm::PrincipalValues(sf, pf);
    pvk::ibm::PrincipalValues(s, pd);
    // Near repeated values the trigonometric form keeps about half the digits.
    const double big = std::max(std::fabs(ref[0]), std::fabs(ref[2]));
    for (int k = 0; k < 3; ++k) {
      EXPECT_NEAR(pf[k], ref[k], 5e-4 * big) << i;
      EXPECT_NEAR(pd[k], ref[k], 5e-8 * big) << i;
    }
  }
}

TEST(IBMGlobalKernel, FatigueCurveAndHardeningLookup) {
  pvk::ibm::TFatigueCurve curve;
  curve.rMaxLife = 1e6f;
  curve.rLower = 100.0f;
  curve.rUpper = 300.0f;
  curve.aTable = {0.0f, 20.0f, 50.0f};
  struct Case {
    float sigma, damage, life;
  };
  const Case cases[] = {{50.0f, 0.0f, 1e6f},
                        {100.0f, 0.0f, 1e6f},
                        {150.0f, 10.0f, 10.0f},
                        {250.0f, 35.0f, 100.0f / 35.0f},
                        {301.0f, 100.0f, 1.0f}};
  for (const Case& c : cases) {
    EXPECT_FLOAT_EQ(curve.Evaluate(c.sigma, 0), c.damage) << c.sigma;
    EXPECT_FLOAT_EQ(curve.Evaluate(c.sigma, 1), c.life) << c.sigma;
  }
  pvk::ibm::THardening h;
  h.rConst = 7.0f;
  float value = 0, slope = 0;
  h.Lookup(3.0f, value, slope);
  EXPECT_EQ(value, 7.0f);
  EXPECT_EQ(slope, 0.0f);
  h.rLower = 0.0f;
  h.rUpper = 2.0f;
  h.aTable = {200.0f, 220.0f, 250.0f};  // h = 2: segments [0, 2) and on
  h.Lookup(1.0f, value, slope);
  EXPECT_FLOAT_EQ(value, 210.0f);
  EXPECT_FLOAT_EQ(slope, 10.0f);
  h.Lookup(3.0f, value, slope);
  EXPECT_FLOAT_EQ(value, 220.0f + 15.0f);
  EXPECT_FLOAT_EQ(slope, 15.0f);
}

// One constant tensor on every node: each result's kernel gives its quantity of it, wherever
// it samples.
TEST(IBMGlobalElemVolume, KernelsGiveTheQuantityTheirResultNames) {
  const double s[6] = {120.0, -40.0, 30.0, 25.0, -10.0, 60.0};
  double a[3][3] = {{s[0], s[3], s[5]}, {s[3], s[1], s[4]}, {s[5], s[4], s[2]}}, p[3], d[3][3];
  pvk::csys::PrincipalValues(a, p, d, pvk::csys::SolveSymEigen3);
  const double vm = std::sqrt(((p[0] - p[1]) * (p[0] - p[1]) + (p[1] - p[2]) * (p[1] - p[2]) +
                               (p[2] - p[0]) * (p[2] - p[0])) /
                              2);
  struct Case {
    pvk::AMT_TYPE amt;
    std::int32_t res, anal, first;  // first: the column of the tensor's xx
    double expected;
  };
  const Case cases[] = {
      {pvk::AMT_TENSOR, 7207, 0, 0, vm},
      {pvk::AMT_TENSOR, 7208, 0, 0, p[0]},
      {pvk::AMT_TENSOR, 7210, 0, 0, p[2]},
      {pvk::AMT_TENSOR, 7201, 0, 0, s[0]},
      {pvk::AMT_VECTOR, 101, 0, 1, std::sqrt(s[0] * s[0] + s[1] * s[1] + s[2] * s[2])},
      {pvk::AMT_SPR6, 60266, 0, -1, vm},
      {pvk::AMT_SPR1, 60200, 0, -1, s[0]},
  };
  for (const Case& c : cases) {
    ElemRun run;
    CIBMGlobalElemVolume r;
    auto value = [&](int col, Vec3) {
      if (c.first >= 0) return col >= c.first && col < c.first + 6 ? s[col - c.first] : 0.0;
      return col % 10 == 0 ? s[col / 10] : 0.0;  // constant recovered polynomials
    };
    ASSERT_EQ(run.Build(r, c.amt, c.res, value, c.anal), 1) << c.res;
    ASSERT_FALSE(r.IsEmpty());
    for (const double v : r.GetScalarComp()) ASSERT_NEAR(v, c.expected, 1e-4 * vm) << c.res;
  }
}

}  // namespace
