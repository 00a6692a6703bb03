// Grid results from a result file to interpolated values: the grid sample is written, opened
// through the post file manager, its results loaded as the display loads them and sampled by
// the element classes on the file's own mesh post unit and part geometry.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>
#include <random>

#include "SampleIbm.h"
#include "base/ScratchFolder.h"
#include "base/UnitControl.h"
#include "ibm/IBMGlobalElem.h"
#include "ibm/IBMGlobalElemVolume.h"
#include "ibm/IBMPDLItem.h"
#include "ibm/MPUGeometry.h"
#include "ibm/MPUGlobalMesh.h"
#include "ibm/MeshPostUnit.h"
#include "ibm/PostFileMPUProvider.h"
#include "render/AnimInfo.h"
#include "render/IBMLegendRndrD.h"
#include "render/LegendValueFuncEqualInterval.h"
#include "render/RndrVDFileStreammer.h"
#include "resultfile/PostFile.h"
#include "session/MemModelDB.h"
#include "session/POHMcas.h"
#include "session/POHPoolBase.h"
#include "session/POHScas.h"
#include "session/POHVcas.h"
#include "session/QVEPOHSession.h"
#include "session/QVEPostFileManager.h"
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

// The sample file opened as a host opens it, with its parts' geometry in the model.
class IBMEndToEnd : public ::testing::Test {
protected:
  static void SetUpTestSuite() { s_pFile = new TOpened; }
  static void TearDownTestSuite() { delete s_pFile; }

  struct TOpened {
    ScratchFolder dir;
    CQVEPOHSession session;
    CMemModelDB db;
    CQVEPostFileManager manager{&session, &db};
    IPostFile* pFile = nullptr;
    std::uint64_t scas = 0, vcas = 0;
    TOpened() {
      const std::string path = dir.Narrow("grid.tkvp");
      if (!WriteIbmSampleFile(path).empty()) return;
      const std::uint64_t mcas =
          manager.AddFile(dir.Wide("grid.tkvp"), db.AddAnalysisItem(0, L"g"));
      pFile = manager.GetPostFile(mcas);
      scas = session.GetPOHPool(1)->GetHeadPosition();
      vcas = session.GetPOHPool(2)->GetHeadPosition();
      if (!pFile) return;
      for (TMPUPartBody& part : MakeMPUBodies(pFile->GetMPUPost()->GetFacet()))
        db.AddBody(part.m_nPartID, std::move(part.m_pBody));
    }
  };

  void SetUp() override {
    ASSERT_TRUE(s_pFile->pFile && s_pFile->vcas);
    m_pMesh = std::make_unique<CMPUGlobalMesh>(Mpu(), &s_pFile->db, &s_pFile->db.GetEntityPool());
    m_display = Mpu().MakeData();
    m_param.m_pLinker = &s_pFile->db;
    m_param.m_pMPUData = &m_display;
    m_param.m_pEntityPool = &s_pFile->db.GetEntityPool();
    m_param.m_pMesh = m_pMesh.get();
  }

  CMPUPost& Mpu() const { return *s_pFile->pFile->GetMPUPost(); }

  // Loads result `id` of the step into r as the display does; build: sample at once.
  int Load(CIBMGlobalElemBase& r, std::int32_t id, bool build) {
    const auto* pStep =
        static_cast<const CPOHVcas*>(s_pFile->session.GetPOHPool(2)->GetAt(s_pFile->vcas));
    const auto* pScas =
        static_cast<const CPOHScas*>(s_pFile->session.GetPOHPool(1)->GetAt(s_pFile->scas));
    std::vector<CVResult*> all;
    pStep->GetPackage()->GetAllResults(all);
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
    m_param.m_nBuild = build;
    return r.InitData(&Mpu(), opt, list->GetList().front()->GetCompCnt()) &&
           r.SetGlobal(m_param, list);
  }

  static TOpened* s_pFile;
  std::unique_ptr<CMPUGlobalMesh> m_pMesh;
  CMPUData m_display;
  TIBMLoadParam m_param;
};
IBMEndToEnd::TOpened* IBMEndToEnd::s_pFile = nullptr;

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
                  row.field(Point(m_pMesh->GetNodePos(nd))),
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
  const auto* pStep =
      static_cast<const CPOHVcas*>(s_pFile->session.GetPOHPool(2)->GetAt(s_pFile->vcas));
  for (const std::int32_t id : {7201, 9006}) {
    CVResult* vr = pStep->GetPackage()->Find(pvk::LOC_NODE, id);
    ASSERT_TRUE(vr) << id;
    CIBMPDLItem item;
    item.SetVResultMain(vr);
    item.SetVResultFatigue(vr);
    m_param.m_pMPUProvider = &provider;
    m_param.m_nBuild = 1;
    pvk::TDLoadOpt opt;
    ASSERT_EQ(item.LoadMainData(opt, m_param), 1) << id;
    ASSERT_EQ(item.LoadCapData(opt, m_param), 1) << id;
    ASSERT_EQ(item.LoadFatigueData(opt, m_param), 1) << id;
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

// The legend of a result set on a display item: ranks over the item's data range, shares that
// sum to 100, and an information block with the file, sub-case and step names and the unit;
// a step named like its sub-case is named once.
class IBMLegend : public IBMEndToEnd {
protected:
  void SetUp() override {
    IBMEndToEnd::SetUp();
    m_param.m_pMPUProvider = &m_provider;
    m_param.m_nBuild = 1;
    const auto* pMcas = static_cast<const CPOHMcas*>(
        s_pFile->session.GetPOHPool(0)->GetAt(s_pFile->session.GetPOHPool(0)->GetHeadPosition()));
    ASSERT_EQ(m_unit.SetCurUnitSystem(*pMcas->GetUnitIndex()), 1);
  }
  CPOHVcas& Step() const {
    return *static_cast<CPOHVcas*>(s_pFile->session.GetPOHPool(2)->GetAt(s_pFile->vcas));
  }
  // The item's main data loaded and its legend made with ten ranks over their range.
  bool Make(CIBMPDLItem& item, CVResult* vr, pvk::CIBMLegendRndrD& legend) {
    item.SetVResultMain(vr);
    pvk::TDLoadOpt opt;
    if (!vr || item.LoadMainData(opt, m_param) != 1) return false;
    const pvk::TDataRange range = item.GetMainD()->GetDataRange();
    CLegendValueFuncEqualInterval func;
    func.SetData(nullptr, &item, range.m_rMin, range.m_rMax, 10);
    pvk::T_RNDRD_ARG arg{&item, &func, &m_unit};
    return legend.MakeLegendD(&arg, nullptr) == 1;
  }
  static std::vector<std::wstring> Texts(const zar::MTArray<pvk::T_LEGEND_OBJ>& objs) {
    std::vector<std::wstring> texts;
    for (const pvk::T_LEGEND_OBJ& obj : objs) texts.push_back(obj.GetText().str());
    return texts;
  }

  CPostFileMPUProvider m_provider{s_pFile->manager};
  zar::lib::MUnitCtrl m_unit;
};

TEST_F(IBMLegend, RanksSharesAndTexts) {
  CVResult* vr = Step().GetPackage()->Find(pvk::LOC_NODE, 7201);
  CIBMPDLItem item;
  pvk::CIBMLegendRndrD legend(0);
  ASSERT_TRUE(Make(item, vr, legend));
  const zar::MTArray<double>& ranks = legend.GetValues();
  ASSERT_EQ(ranks.size(), 10u);
  EXPECT_EQ(ranks.front(), item.GetMainD()->GetDataRange().m_rMin);
  EXPECT_EQ(ranks.back(), item.GetMainD()->GetDataRange().m_rMax);
  const auto& shares = legend.GetPercents();
  EXPECT_NEAR(std::accumulate(shares.begin(), shares.end(), 0.0), 100.0, 1e-9);
  EXPECT_EQ(legend.GetPercents().back(), 0.0);
  EXPECT_EQ(Texts(legend.GetTopLegendObjs())[2], vr->GetLegendName().str());

  const std::wstring file = s_pFile->session.GetPOHPool(0)
                                ->GetAt(s_pFile->session.GetPOHPool(0)->GetHeadPosition())
                                ->GetName()
                                .str();
  ASSERT_FALSE(file.empty());
  EXPECT_EQ(
      Texts(legend.GetBtmLegendObjs()),
      (std::vector<std::wstring>{file, L"", L"STATIC", L"", L"Step 1", L"", L"Unit : N/mm^2"}));
  Step().SetName(L"STATIC");
  ASSERT_TRUE(Make(item, vr, legend));
  Step().SetName(L"Step 1");
  EXPECT_EQ(Texts(legend.GetBtmLegendObjs()),
            (std::vector<std::wstring>{file, L"", L"STATIC", L"", L"Unit : N/mm^2"}));
}

// An animation of grid results, one result per frame: each frame's legend is streamed into
// the streamer as it is prepared and reads back identical.
TEST_F(IBMLegend, AnimationFramesStreamAndReadBack) {
  const std::int32_t ids[] = {7401, 7201, 7207, 101, 9001, 9006};
  zar::MArray<CVResult*> results;
  for (const std::int32_t id : ids) results.push_back(Step().GetPackage()->Find(pvk::LOC_NODE, id));
  CAnimInfo anim;
  anim.SetMultiSet(1);
  anim.SetVResultList(results);
  anim.SetFrameNum(static_cast<int>(results.size()));
  anim.InitFrameInfo();
  anim.SetAnimationRun(1);

  ScratchFolder dir;
  CRndrVDFileStreammer streamer(dir.Wide());
  struct TFrame {
    pvk::CIBMLegendRndrD legend{0};
    std::uint64_t size = 0, offset = 0;
  };
  std::vector<TFrame> frames(results.size());
  for (TFrame& frame : frames) {
    CVResult* vr = anim.GetVResult(anim.GetCurrentFrame());
    CIBMPDLItem item;
    ASSERT_TRUE(Make(item, vr, frame.legend)) << vr->GetType();
    const auto& shares = frame.legend.GetPercents();
    EXPECT_NEAR(std::accumulate(shares.begin(), shares.end(), 0.0), 100.0, 1e-9) << vr->GetType();
    pvk::TStreamInfo info;
    frame.size = frame.legend.GetInstSize(&info);
    pvk::TInstSizeIter it(info.aInstSize);
    char* p = streamer.AddStreamBuffer(frame.size, frame.offset);
    ASSERT_TRUE(p);
    ASSERT_EQ(frame.legend.Data2Stream(p, it), 1);
    anim.NextFrame();
  }
  results[0]->SetLocType(pvk::LOC_NODE);  // the item shows densities in volume form

  for (const TFrame& frame : frames) {
    pvk::CIBMLegendRndrD back(0);
    pvk::TInstSizeIter it(&frame.size, 1);
    const char* p = streamer.GetStreamBuffer(frame.size, frame.offset);
    ASSERT_TRUE(p);
    ASSERT_EQ(back.Stream2Data(p, it), 1);
    EXPECT_EQ(Texts(back.GetTopLegendObjs()), Texts(frame.legend.GetTopLegendObjs()));
    EXPECT_EQ(Texts(back.GetBtmLegendObjs()), Texts(frame.legend.GetBtmLegendObjs()));
    EXPECT_EQ(back.GetValues(), frame.legend.GetValues());
    EXPECT_EQ(back.GetPercents(), frame.legend.GetPercents());
  }
}

}  // namespace
