// Grid results from a result file to interpolated values: the grid sample is written, opened
// through the post file manager, its results loaded as the display loads them and sampled by
// the element classes on the file's own mesh post unit and part geometry.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>

#include "IBMOpenedSample.h"
#include "base/UnitControl.h"
#include "ibm/IBMGlobalElem.h"
#include "ibm/IBMGlobalElemVolume.h"
#include "ibm/IBMPDLItem.h"
#include "ibm/PostFileMPUProvider.h"
#include "render/IBMLegendRndrD.h"
#include "render/LegendValueFuncEqualInterval.h"
#include "session/POHMcas.h"
#include "session/POHScas.h"
#include "vresult/VResult.h"
#include "vresult/VResultPackage.h"

namespace {

using Vec3 = zar::MVector<double, 3>;
using Field = std::function<double(const TSamplePoint&)>;

TSamplePoint Point(const Vec3& p) { return {p[0], p[1], p[2]}; }

double Norm(const TSamplePoint& v) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

double VonMises(const TSamplePoint& p) {
  const auto s = CSampleIbm::Stress(p);
  const double a = s[0] - s[1], b = s[1] - s[2], c = s[2] - s[0];
  return std::sqrt((a * a + b * b + c * c + 6 * (s[3] * s[3] + s[4] * s[4] + s[5] * s[5])) / 2);
}

// Results whose value at a point the sample's fields give: one of each kernel.
struct TFieldRow {
  std::int32_t id;
  Field field;
};
const std::vector<TFieldRow>& FieldRows() {
  static const std::vector<TFieldRow> rows = {
      {7401, CSampleIbm::Density},
      {7201, [](const TSamplePoint& p) { return CSampleIbm::Stress(p)[0]; }},
      {7207, VonMises},
      {101, [](const TSamplePoint& p) { return Norm(CSampleIbm::Displacement(p)); }},
      {9001, [](const TSamplePoint& p) { return CSampleIbm::Damage(p, 0); }},
      {9006,
       [](const TSamplePoint& p) {
         const double d = CSampleIbm::Damage(p, 2);
         return d > 0 ? std::min(100 / d, CSampleIbm::kMaxLife) : CSampleIbm::kMaxLife;
       }},
  };
  return rows;
}

// Sampling runs in single precision.
void ExpectField(double got, double want, const std::string& where) {
  EXPECT_NEAR(got, want, 2e-5 * std::max(1.0, std::fabs(want))) << where;
}

// The sample file opened once for the suite.
class IBMEndToEnd : public ::testing::Test {
protected:
  static void SetUpTestSuite() { s_pFile = new ibmtest::TOpenedSample; }
  static void TearDownTestSuite() { delete s_pFile; }

  void SetUp() override {
    ASSERT_TRUE(s_pFile->pFile && s_pFile->vcas);
    m_pDisplay = std::make_unique<ibmtest::TSampleDisplay>(*s_pFile);
  }

  CMPUPost& Mpu() const { return s_pFile->Mpu(); }
  TIBMLoadParam& Param() { return m_pDisplay->param; }

  // Loads result `id` of the step into r as the display does; build: sample at once.
  int Load(CIBMGlobalElemBase& r, std::int32_t id, bool build) {
    const auto* pScas =
        static_cast<const CPOHScas*>(s_pFile->session.GetPOHPool(1)->GetAt(s_pFile->scas));
    std::vector<CVResult*> all;
    s_pFile->Step().GetPackage()->GetAllResults(all);
    const auto it =
        std::find_if(all.begin(), all.end(), [id](CVResult* vr) { return vr->GetType() == id; });
    if (it == all.end()) return 0;
    auto list = std::make_shared<CPostPartialDList>();
    TVResParam load{nullptr, &s_pFile->db};
    if (!(*it)->LoadDataNU(list.get(), &load) || list->GetSize() < 1) return 0;
    pvk::TDLoadOpt opt = (*it)->GetDLoadOpt();
    opt.nAMTType = list->GetList().front()->GetAMTType();
    opt.nAnalType = pScas->GetMecAnalType();
    opt.nResType = id;
    Param().m_nBuild = build;
    return r.InitData(&Mpu(), opt, list->GetList().front()->GetCompCnt()) &&
           r.SetGlobal(Param(), list);
  }

  static ibmtest::TOpenedSample* s_pFile;
  std::unique_ptr<ibmtest::TSampleDisplay> m_pDisplay;
};
ibmtest::TOpenedSample* IBMEndToEnd::s_pFile = nullptr;

// A point in each cell of the parts, drawn at random.
std::vector<TSamplePoint> PointsInCells() {
  std::mt19937 rng(5);
  std::uniform_real_distribution<double> u(0.0, 1.0);
  std::vector<TSamplePoint> points;
  const CSampleIbm sample;
  for (const TSampleGrid& g : sample.Grids()) {
    const auto cells = g.Cells();
    const std::int32_t o = g.order;
    for (std::int32_t k = 0; k < cells[2]; ++k)
      for (std::int32_t j = 0; j < cells[1]; ++j)
        for (std::int32_t i = 0; i < cells[0]; ++i) {
          if (!g.IsInside(i, j, k)) continue;
          const TSamplePoint p0 = g.Pos(i * o, j * o, k * o);
          const TSamplePoint ends[3] = {g.Pos(i * o + o, j * o, k * o),
                                        g.Pos(i * o, j * o + o, k * o),
                                        g.Pos(i * o, j * o, k * o + o)};
          TSamplePoint p = p0;
          for (const TSamplePoint& end : ends) {
            const double t = u(rng);
            for (std::size_t c = 0; c < 3; ++c) p[c] += t * (end[c] - p0[c]);
          }
          points.push_back(p);
        }
  }
  return points;
}

// Every display node of every cell, on the linear grid and the turned quadratic one, every
// tessellation vertex of the parts' surfaces and a point picked in every cell carry the field.
TEST_F(IBMEndToEnd, DisplayNodesVerticesAndPickedPointsCarryTheField) {
  const std::int32_t nNode = Mpu().GetBody().GetNodeSize();
  const std::vector<TSamplePoint> picks = PointsInCells();
  for (const TFieldRow& row : FieldRows()) {
    CIBMGlobalElemVolume volume;
    ASSERT_EQ(Load(volume, row.id, true), 1) << row.id;
    // Every cell of the sample has all its values, so every node is shown.
    ASSERT_EQ(volume.GetDataCount(), nNode) << row.id;
    for (std::int32_t nd = 0; nd < nNode; ++nd)
      ExpectField(volume.GetScalarComp()[volume.GetDSI()[nd]],
                  row.field(Point(m_pDisplay->mesh.GetNodePos(nd))),
                  "result " + std::to_string(row.id) + " node " + std::to_string(nd));

    CIBMGlobalElem elem;
    ASSERT_EQ(Load(elem, row.id, true), 1) << row.id;
    // Each facet node of the sample is a vertex of its part's surface.
    ASSERT_EQ(elem.GetDataCount(), std::ssize(Mpu().GetFacet().GetNodeID()));
    for (std::int32_t v = 0; v < elem.GetDataCount(); ++v)
      ExpectField(elem.GetScalarComp()[v], row.field(Point(elem.GetPos()[v])),
                  "result " + std::to_string(row.id) + " vertex " + std::to_string(v));

    for (const TSamplePoint& p : picks) {
      double value = 0;
      ASSERT_EQ(elem.GetPosValue({{p[0], p[1], p[2]}}, value), 1) << p[0] << " " << p[1];
      ExpectField(value, row.field(p), "result " + std::to_string(row.id) + " picked");
    }
  }
}

// A result set on a display item and loaded through the stand-alone provider has the values
// and range that its global data give when loaded directly: at the surface vertices for the
// main data, at the cell nodes for the section cap and the fatigue data.
TEST_F(IBMEndToEnd, DisplayItemLoadsAsItsGlobalData) {
  CPostFileMPUProvider provider(s_pFile->manager);
  for (const std::int32_t id : {7201, 9006}) {
    CVResult* vr = s_pFile->Step().GetPackage()->Find(pvk::LOC_NODE, id);
    ASSERT_TRUE(vr) << id;
    CIBMPDLItem item;
    item.SetVResultMain(vr);
    item.SetVResultFatigue(vr);
    Param().m_pMPUProvider = &provider;
    Param().m_nBuild = 1;
    pvk::TDLoadOpt opt;
    ASSERT_EQ(item.LoadMainData(opt, Param()), 1) << id;
    ASSERT_EQ(item.LoadCapData(opt, Param()), 1) << id;
    ASSERT_EQ(item.LoadFatigueData(opt, Param()), 1) << id;
    EXPECT_EQ(opt.rFatigueMax, CSampleIbm::kMaxLife);

    CIBMGlobalElem elem;
    CIBMGlobalElemVolume volume;
    ASSERT_EQ(Load(elem, id, true), 1) << id;
    ASSERT_EQ(Load(volume, id, true), 1) << id;
    ASSERT_TRUE(elem.GetDataRange().IsSet()) << id;
    EXPECT_EQ(item.GetMainD()->GetDataRange(), elem.GetDataRange()) << id;
    EXPECT_EQ(item.GetMainD()->GetScalarComp(), elem.GetScalarComp()) << id;
    for (const CIBMGlobalD* data : {item.GetCapD(), item.GetFatigueD()}) {
      EXPECT_EQ(data->GetDataRange(), volume.GetDataRange()) << id;
      EXPECT_EQ(data->GetScalarComp(), volume.GetScalarComp()) << id;
    }
  }
}

// The legend of a result set on a display item: ranks over the item's data range and an
// information block that names a step named like its sub-case once (the pvk legend test checks
// the shares and texts of the grid sample).
TEST_F(IBMEndToEnd, LegendRanksTheRangeAndNamesAStepLikeItsSubcaseOnce) {
  CPostFileMPUProvider provider(s_pFile->manager);
  Param().m_pMPUProvider = &provider;
  Param().m_nBuild = 1;
  const CPOHBase* pMcas =
      s_pFile->session.GetPOHPool(0)->GetAt(s_pFile->session.GetPOHPool(0)->GetHeadPosition());
  zar::lib::MUnitCtrl unit;
  ASSERT_EQ(unit.SetCurUnitSystem(*static_cast<const CPOHMcas*>(pMcas)->GetUnitIndex()), 1);
  CIBMPDLItem item;
  item.SetVResultMain(s_pFile->Step().GetPackage()->Find(pvk::LOC_NODE, 7201));
  pvk::TDLoadOpt opt;
  ASSERT_EQ(item.LoadMainData(opt, Param()), 1);
  const pvk::TDataRange range = item.GetMainD()->GetDataRange();
  CLegendValueFuncEqualInterval func;
  func.SetData(nullptr, &item, range.m_rMin, range.m_rMax, 10);
  pvk::T_RNDRD_ARG arg{&item, &func, &unit};
  pvk::CIBMLegendRndrD legend(0);
  s_pFile->Step().SetName(L"STATIC");
  const int made = legend.MakeLegendD(&arg, nullptr);
  s_pFile->Step().SetName(L"Step 1");
  ASSERT_EQ(made, 1);
  EXPECT_EQ(legend.GetValues().front(), range.m_rMin);
  EXPECT_EQ(legend.GetValues().back(), range.m_rMax);
  std::vector<std::wstring> texts;
  for (const pvk::T_LEGEND_OBJ& obj : legend.GetBtmLegendObjs())
    texts.push_back(obj.GetText().str());
  EXPECT_EQ(texts, (std::vector<std::wstring>{pMcas->GetName().str(), L"", L"STATIC", L"",
                                              L"Unit : N/mm^2"}));
}

}  // namespace
