#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

#include "ibm/IBMGlobalFacet.h"
#include "ibm/IBMGlobalNone.h"
#include "ibm/IBMGlobalVect.h"
#include "ibm/IBMGlobalVolume.h"
#include "tests/ibm/IBMTestGrid.h"

namespace {

using ibmtest::CTestGrid;
using ibmtest::TGridBody;
using ibmtest::Vec3;
using pvk::TDataRange;

TEST(IBMGlobalRange, FirstIndexWinsAndUnsetBodiesStayOut) {
  struct Case {
    std::vector<double> values;
    TDataRange expected;
  };
  const Case cases[] = {
      {{}, {}},
      {{3.0}, {0, 0, 3.0, 3.0}},
      {{2.0, 5.0, 5.0, -1.0, -1.0}, {3, 1, -1.0, 5.0}},
      {{-4.0, -4.0, -2.0}, {0, 2, -4.0, -2.0}},
  };
  for (const Case& c : cases) {
    TDataRange r;
    for (std::size_t i = 0; i < c.values.size(); ++i) r.Offer(c.values[i], std::int32_t(i));
    EXPECT_EQ(r, c.expected);
    // Merging body by body gives what offering everything to one range gives.
    TDataRange merged, first, second;
    for (std::size_t i = 0; i < c.values.size(); ++i)
      (i < 2 ? first : second).Offer(c.values[i], std::int32_t(i));
    for (const TDataRange& body : {TDataRange{}, first, TDataRange{}, second}) merged.Merge(body);
    EXPECT_EQ(merged, c.expected);
  }
}

// Publishes the classification of the stored result.
struct CClassify : CIBMGlobalNone {
  void Set(std::int32_t anal, std::int32_t res) {
    m_nAnalType = anal;
    m_nResType = res;
  }
  using CIBMGlobalD::GetBeginComp, CIBMGlobalD::GetFatigueSubTypeIdx,
      CIBMGlobalD::GetFatigueTypeIdx, CIBMGlobalD::GetStrPrinIdx, CIBMGlobalD::IsEfPlstStrn,
      CIBMGlobalD::IsEqStrs, CIBMGlobalD::IsFatigueData, CIBMGlobalD::IsHeatTotal,
      CIBMGlobalD::IsHeatTransfer, CIBMGlobalD::IsNLVar, CIBMGlobalD::IsPrincipal,
      CIBMGlobalD::IsStrain, CIBMGlobalD::IsStress, CIBMGlobalD::IsVonMises;
};

std::set<std::int32_t> Span(std::int32_t lo, std::int32_t hi, std::set<std::int32_t> more = {}) {
  for (std::int32_t i = lo; i <= hi; ++i) more.insert(i);
  return more;
}

// Each predicate holds for exactly its ids among every id that any table names, and their
// neighbours.
TEST(IBMGlobalD, ClassificationHoldsForExactlyItsIds) {
  const std::set<std::int32_t> stress =
      Span(7201, 7210, {60200,      60211,      60222,      60233,      60244,      60255,
                        60266,      60267,      60268,      60279,      1000060200, 1000060211,
                        1000060222, 1000007201, 1000007202, 1000007203, 1000007204, 1000007205,
                        1000007206, 1000060233, 1000060244, 1000060255});
  std::set<std::int32_t> strain;
  for (const std::int32_t id : stress) strain.insert(id - 100);
  const std::set<std::int32_t> principal[3] = {
      {7108, 7208, 60167, 60267}, {7109, 7209, 60168, 60268}, {7110, 7210, 60179, 60279}};
  struct Pred {
    bool (CClassify::*is)() const;
    std::set<std::int32_t> ids;
  };
  const Pred preds[] = {
      {&CClassify::IsStress, stress},
      {&CClassify::IsStrain, strain},
      {&CClassify::IsVonMises, {7107, 7207, 60166, 60266}},
      {&CClassify::IsPrincipal,
       Span(7108, 7110, Span(7208, 7210, {60167, 60168, 60179, 60267, 60268, 60279}))},
      {&CClassify::IsEqStrs, {60300, 7701}},
      {&CClassify::IsEfPlstStrn, {60311, 7702}},
      {&CClassify::IsHeatTotal, {7304, 7308, 60433, 60477}},
      {&CClassify::IsHeatTransfer, Span(7301, 7308, {60433, 60477})},
      {&CClassify::IsNLVar,
       Span(7701, 7708, {60300, 60311, 60322, 60333, 60344, 60355, 60366, 60377})},
      {&CClassify::IsFatigueData, Span(9001, 9006, {7211, 60280})},
  };
  std::set<std::int32_t> all = Span(9001, 9006, {101, 7401});
  for (const Pred& p : preds)
    for (const std::int32_t id : p.ids) all.insert({id - 1, id, id + 1});
  CClassify g;
  for (const std::int32_t id : all) {
    g.Set(0, id);
    for (const Pred& p : preds) EXPECT_EQ((g.*p.is)(), p.ids.count(id) == 1) << id;
    std::int32_t prin = -1;
    for (std::int32_t i = 0; i < 3; ++i)
      if (principal[i].count(id)) prin = i;
    EXPECT_EQ(g.GetStrPrinIdx(), prin) << id;
    const bool fatigue = id >= 9001 && id <= 9006;
    EXPECT_EQ(g.GetFatigueTypeIdx(), fatigue ? (id - 9001) / 2 : -1) << id;
    EXPECT_EQ(g.GetFatigueSubTypeIdx(), fatigue ? (id + 1) % 2 : -1) << id;
    EXPECT_EQ(g.GetBeginComp(), id == 101 || fatigue ? 1 : 0) << id;
  }
}

TEST(IBMGlobalD, InitDataTakesTheAmountTypesCountAndNeedsBodies) {
  CTestGrid grid({TGridBody{}});
  CMPUPost bare;
  const std::int32_t counts[] = {0, 1, 4, 8, 12, 7, 7, 4, 9, 13, 8, 6, 7, 0, 10, 30, 60, 70, 0};
  for (std::int32_t amt = 0; amt < std::int32_t(std::size(counts)); ++amt) {
    pvk::TDLoadOpt opt{pvk::AMT_TYPE(amt), pvk::LOC_NODE, 119, 101, 5.0};
    CIBMGlobalVolume v;
    CIBMGlobalFacet f;
    EXPECT_EQ(v.InitData(&grid.mpu, opt, 0), counts[amt] > 0 ? 1 : 0) << amt;
    EXPECT_EQ(v.GetCompCnt(), counts[amt]) << amt;
    EXPECT_EQ(v.InitData(&bare, opt, 3), 0);
    EXPECT_EQ(v.GetMPU(), nullptr);
    EXPECT_EQ(f.InitData(&bare, opt, 3), 1);
    EXPECT_EQ(f.GetFatMaximim(), 0.0);
  }
  CIBMGlobalNone none;
  pvk::TDLoadOpt opt{pvk::AMT_SCALAR, pvk::LOC_ELEM, 0, 0, 1.0};
  TIBMLoadParam param;
  EXPECT_EQ(
      none.InitData(&grid.mpu, opt, 1) +
          none.SetGlobal(param, grid.Values(pvk::AMT_SCALAR, 1, [](int, Vec3) { return 1.0; })),
      0);
}

TEST(IBMGlobalVect, CopiesTheFirstBlockAndRangesOverEveryValue) {
  CTestGrid grid({TGridBody{}});
  auto list = std::make_shared<CPostPartialDList>();
  CPostPartialD* part = list->Add();
  part->Init(pvk::AMT_VECTOR, pvk::LOC_POINT, 4);
  *part->GetKey() = {7, 8, 9};
  *part->GetFPos() = {{{1, 2, 3}}, {{4, 5, 6}}, {{7, 8, 9}}};
  *part->GetComp(0) = {1e-13, -2.0, -2.0};
  for (int c = 1; c < 4; ++c) *part->GetComp(c) = {c * 1.0, c * 2.0, c * 3.0};
  list->Add();  // later blocks are not read
  CIBMGlobalVect v;
  pvk::TDLoadOpt opt{pvk::AMT_VECTOR, pvk::LOC_POINT, 0, 0, 1.0};
  TIBMLoadParam param;
  ASSERT_EQ(v.InitData(&grid.mpu, opt, 0), 1);
  EXPECT_EQ(v.SetGlobal(param, std::make_shared<CPostPartialDList>()), 0);
  EXPECT_TRUE(v.IsEmpty());
  ASSERT_EQ(v.SetGlobal(param, list), 1);
  EXPECT_EQ(v.GetID(), *part->GetKey());
  EXPECT_EQ(v.GetPos(), *part->GetPos());
  EXPECT_EQ(*v.GetCompData(0), (zar::MArray<double>{0.0, -2.0, -2.0}));
  EXPECT_EQ(*v.GetCompData(3), *part->GetComp(3));
  EXPECT_EQ(v.GetDataRange(), (TDataRange{1, 0, -2.0, 0.0}));
  const pvk::TIBMGlobalD s = v.GetStruct();
  EXPECT_EQ(s.nDataCnt, 3);
  EXPECT_EQ(s.pComp[4], nullptr);
  EXPECT_EQ(s.pExtent[0], std::numeric_limits<double>::max());
}

// Two bodies with two elements each; element 3 misses one facet value.
TEST(IBMGlobalFacet, ValuesByFacetIdAndRangeOverShownBodies) {
  CMPUPost mpu;
  mpu.SetFacetNodeData({1, 2, 3}, {{{0, 0, 0}}, {{1, 0, 0}}, {{0, 1, 0}}});
  mpu.SetFacetElemData({10, 11, 12, 13, 14}, {1, 1, 2, 3, 3}, {5, 5, 5, 6, 6},
                       {1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3});
  ASSERT_EQ(mpu.CompileFacet(), 1);
  auto list = std::make_shared<CPostPartialDList>();
  CPostPartialD* part = list->Add();
  part->Init(pvk::AMT_SCALAR, pvk::LOC_FACET, 1);
  *part->GetKey() = {14, 12, 99, 10, 11};
  *part->GetComp(0) = {-7.0, 4.0, 100.0, 1.0, 4.0};
  CIBMGlobalFacet f;
  pvk::TDLoadOpt opt{pvk::AMT_SCALAR, pvk::LOC_FACET, 0, 0, 1.0};
  CMPUData display;
  display.SetCount(mpu.GetBodyCount());
  TIBMLoadParam param;
  param.m_pMPUData = &display;
  ASSERT_EQ(f.InitData(&mpu, opt, 0), 1);
  ASSERT_EQ(f.SetGlobal(param, list), 1);
  EXPECT_EQ(f.GetNoResult(), (zar::MArray<unsigned char>{0, 0, 1}));
  EXPECT_EQ(f.GetDCT(), (zar::MArray<std::int32_t>{1, 1, 1, 0, 1}));
  EXPECT_EQ(f.GetDSI()[4], 0);
  EXPECT_EQ(f.GetDataRange(), (TDataRange{4, 1, -7.0, 4.0}));
  display.SetShowResult(mpu.FindBodyIndex(6), false);
  f.UpdateDataRange(param);
  EXPECT_EQ(f.GetDataRange(), (TDataRange{0, 1, 1.0, 4.0}));
}

// A box of 2x2x1 8-node cells and a box of 2x1x1 20-node cells.
std::vector<TGridBody> TwoBodies() {
  TGridBody a;
  a.cells = {2, 2, 1};
  TGridBody b;
  b.order = 2;
  b.cells = {2, 1, 1};
  b.origin = {{0, 0, 5}};
  b.step = 0.5;
  return {a, b};
}

struct VolumeRun {
  CTestGrid grid{TwoBodies()};
  CIBMGlobalVolume v;
  TIBMLoadParam param;

  int Run(std::int32_t anal, std::int32_t res, std::int32_t nComp,
          std::function<double(int, Vec3)> value, std::function<bool(std::int32_t)> has = {}) {
    param.m_pMPUData = &grid.display;
    param.m_pMesh = &grid;
    pvk::TDLoadOpt opt{pvk::AMT_SCALAR, pvk::LOC_NODE, anal, res, 250.0};
    if (!v.InitData(&grid.mpu, opt, nComp)) return 0;
    return v.SetGlobal(param, grid.Values(pvk::AMT_SCALAR, nComp, value, has));
  }
  double At(std::int32_t c, std::int32_t nd) const { return (*v.GetCompData(c))[v.GetDSI()[nd]]; }
};

// Face and centre nodes that the block leaves out take the 20-node interpolation of the cell's
// own nodes, which reproduces a serendipity field there exactly.
TEST(IBMGlobalVolume, DerivesFaceAndCentreNodesOf20NodeCells) {
  VolumeRun run;
  auto field = [](int c, Vec3 p) {
    return 1.0 + c + p[0] * p[0] - 2 * p[1] * p[2] + 0.5 * p[2] + 3 * p[0] * p[1] * p[2];
  };
  std::set<std::int32_t> derived;
  for (std::int32_t e = 4; e < 6; ++e)
    for (std::int32_t k = 20; k < 27; ++k)
      derived.insert(run.grid.mpu.GetBody().GetNodeID(run.grid.GetElemNodes(e)[k]));
  ASSERT_EQ(run.Run(0, 1, 2, field, [&](std::int32_t id) { return !derived.count(id); }), 1);
  EXPECT_EQ(run.v.GetNoResult(), (zar::MArray<unsigned char>(6, 0)));
  for (std::int32_t nd = 0; nd < run.grid.mpu.GetBody().GetNodeSize(); ++nd)
    for (int c = 0; c < 2; ++c)
      EXPECT_NEAR(run.At(c, nd), field(c, run.grid.GetNodePos(nd)), 1e-12) << nd;
}

TEST(IBMGlobalVolume, CellsMissingANodeValueHaveNoResultAndNoRange) {
  VolumeRun run;
  const std::int32_t lost = run.grid.mpu.GetBody().GetNodeID(run.grid.GetElemNodes(5)[18]);
  auto field = [](int, Vec3 p) { return p[0] + 10 * p[2]; };
  ASSERT_EQ(run.Run(0, 7401, 1, field, [&](std::int32_t id) { return id != lost; }), 1);
  EXPECT_EQ(run.v.GetNoResult(), (zar::MArray<unsigned char>{0, 0, 0, 0, 0, 1}));
  // The largest value sits at the far corner of the first 20-node cell.
  const TDataRange r = run.v.GetDataRange();
  EXPECT_EQ(r.m_rMin, 0.0);
  EXPECT_EQ(r.m_rMax, 61.0);
  EXPECT_EQ(run.grid.GetNodePos(r.m_nMaxIdx)[0], 1.0);
  run.grid.display.SetShowResult(1, false);
  run.v.UpdateDataRange(run.param);
  EXPECT_EQ(run.v.GetDataRange().m_rMax, 12.0);
  EXPECT_EQ(run.v.GetBndrRange()[1], TDataRange{});
}

TEST(IBMGlobalVolume, CutOffsByResult) {
  struct Case {
    std::int32_t anal, res;
    double in, out;
  };
  const Case cases[] = {
      {0, 9101, 130.0, 100.0}, {0, 9102, 900.0, 250.0}, {0, 9104, -3.0, 0.0},
      {119, 7108, -3.0, 0.0},  {119, 7111, -3.0, -3.0}, {123, 7702, -1.0, 0.0},
      {0, 7401, 1e-13, 0.0},   {0, 7401, 1.5, 1.5},     {119, 101, -3.0, -3.0},
  };
  for (const Case& c : cases) {
    VolumeRun run;
    ASSERT_EQ(run.Run(c.anal, c.res, 1, [&](int, Vec3) { return c.in; }), 1);
    EXPECT_EQ(run.At(0, 0), c.out) << c.res;
  }
  VolumeRun run;
  EXPECT_EQ(run.Run(
                0, 7401, 1, [](int, Vec3) { return 0.0; }, [](std::int32_t) { return false; }),
            1);
  EXPECT_TRUE(run.v.IsEmpty());
  EXPECT_EQ(run.v.SetGlobal(run.param, std::make_shared<CPostPartialDList>()), 0);
}

}  // namespace
