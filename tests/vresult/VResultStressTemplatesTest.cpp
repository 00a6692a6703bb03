#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <vector>

#include "base/MsgOut.h"
#include "csys/OutputCSysTypes.h"
#include "datastore/FakeDataLoaders.h"
#include "datastore/PostDSetModelResult.h"
#include "datastore/PostPartialDList.h"
#include "session/MemModelDB.h"
#include "vresult/VResultFactoryManager.h"
#include "vresult/VResult_ZAR.h"

namespace {

using Column = std::vector<double>;
using CSys = pvk::TElemOutCsys_d;

// Triangles 7 and 3 of a model (a centre and three node values each), with element data of
// one category whose stored components answer from the given values.
class ElemSet {
public:
  explicit ElemSet(std::int32_t category) : m_set(pvk::LOC_ELEM, category) {
    for (const std::int32_t id : {1, 2, 3}) m_db.AddNode(id, id, 0, 0);
    m_db.AddElement(7, 4, {1, 2, 3});
    m_db.AddElement(3, 4, {1, 2, 3});
    m_set.SetDataLoaderKey(&m_keys);
  }
  // One value per element, repeated over its centre and nodes.
  void Add(std::int32_t compId, double e7, double e3) {
    m_loaders.push_back(std::make_unique<FakeResultLoader<double>>(
        zar::MArray<double>{e7, e7, e7, e7, e3, e3, e3, e3}));
    m_set.AddDComp(compId)->SetDataLoader(m_loaders.back().get());
  }
  void Systems(const CSys& e7, const CSys& e3) {
    m_set.SetElemCSysLoader(std::make_shared<FakeResultLoader<CSys>>(zar::MArray<CSys>{e7, e3}));
  }
  // The columns of element 7 and 3 (their centre rows), empty when not bound or not loaded.
  std::vector<Column> Load(std::int32_t id, pvk::AMT_TYPE amt = pvk::AMT_TYPE(0),
                           const TOutCSysInfo* pCSys = nullptr) {
    auto vr = CVResultFactoryManager::GetInstance().GetVResultFactory(0)->CreateVResult(id);
    if (!vr) return {};
    zar::MList<CPostDSet*> dsets;
    dsets.push_back(&m_set);
    vr->SetLocType(pvk::LOC_ELEM);  // as the import does, from the data set
    if (!vr->Init(dsets)) return {};
    if (amt) vr->SetAMTType(amt);
    m_amt = vr->GetDLoadOpt().nAMTType;
    CPostPartialDList list;
    TVResParam param{nullptr, &m_db, pCSys};
    std::vector<Column> columns;
    if (!vr->LoadDataNU(&list, &param)) return columns;
    const CPostPartialD& block = *list.GetList().front();
    for (std::int32_t c = 0; c < block.GetCompCnt(); ++c)
      columns.push_back({block.GetComp(c)->at(0), block.GetComp(c)->at(4)});
    return columns;
  }
  pvk::AMT_TYPE m_amt = pvk::AMT_TYPE(0);
  CMemModelDB m_db;

private:
  FakeResultLoader<std::int32_t> m_keys{{7, 3}};
  std::vector<std::unique_ptr<FakeResultLoader<double>>> m_loaders;
  CPostUnitModelResultDSet m_set;
};

constexpr CSys kGlobal{1, 0, 0, 0, 1, 0};
constexpr CSys kTurned45{M_SQRT1_2, M_SQRT1_2, 0, -M_SQRT1_2, M_SQRT1_2, 0};

// Solid stress (312101...) and strain (311101...) tensors: XX 1, YY 2, XY 0.5 in element 7,
// XX 4 elsewhere zero in element 3.
void AddTensor(ElemSet& set, std::int32_t first) {
  const std::map<std::int32_t, std::pair<double, double>> values = {
      {0, {1, 4}}, {1, {2, 0}}, {3, {0.5, 0}}};
  for (std::int32_t i = 0; i < 6; ++i) {
    const auto it = values.find(i);
    set.Add(first + i, it == values.end() ? 0 : it->second.first,
            it == values.end() ? 0 : it->second.second);
  }
}

TEST(VResultStressTemplates, ElementTensorComponentsStoredAndInTheOutputSystem) {
  ElemSet stress(22), strain(36);
  AddTensor(stress, 312101);
  AddTensor(strain, 311101);
  EXPECT_EQ(stress.Load(312102), (std::vector<Column>{{2, 0}}));  // YY
  EXPECT_EQ(stress.Load(312101, pvk::AMT_TENSOR6).size(), 6u);    // all six

  // Element 7 lies turned by 45 degrees: its values reach global axes rotated; the strain's
  // shear is an engineering shear, halved before the rotation.
  stress.Systems(kTurned45, kGlobal);
  strain.Systems(kTurned45, kGlobal);
  const TOutCSysInfo global{1};
  const std::vector<Column> xx = stress.Load(312101, pvk::AMT_TYPE(0), &global);
  ASSERT_EQ(xx.size(), 1u);
  EXPECT_NEAR(xx[0][0], 1.5 - 0.5, 1e-12);  // (xx + yy) / 2 - xy for the turned axes
  EXPECT_NEAR(xx[0][1], 4.0, 1e-12);
  const std::vector<Column> strainXX = strain.Load(311101, pvk::AMT_TYPE(0), &global);
  ASSERT_EQ(strainXX.size(), 1u);
  EXPECT_NEAR(strainXX[0][0], 1.5 - 0.25, 1e-12);

  // A conversion that fails shows the stored values and says so.
  std::vector<CString> warnings;
  auto previous = zar::lib::SetMsgSink(
      [&](zar::lib::EMsgLevel, const CString& text) { warnings.push_back(text); });
  const TOutCSysInfo unknownKind{9};
  const std::vector<Column> stored = stress.Load(312101, pvk::AMT_TYPE(0), &unknownKind);
  zar::lib::SetMsgSink(previous);
  EXPECT_EQ(stored, (std::vector<Column>{{1, 4}}));
  EXPECT_NE(std::find(warnings.begin(), warnings.end(),
                      CString(L"Failed to Output Coordinate Converting")),
            warnings.end());
}

TEST(VResultStressTemplates, PlaneMembraneForceXYShowsItsOwnComponent) {
  ElemSet forces(54);
  for (const std::int32_t id : {430402, 430403, 430404, 430409, 430410})
    forces.Add(id, id - 430400, 0);
  EXPECT_EQ(forces.Load(430404), (std::vector<Column>{{4, 0}}));
  EXPECT_EQ(forces.Load(430404, pvk::AMT_FORCE_SET8)[1], (Column{3, 0}));  // YY of all eight
}

TEST(VResultStressTemplates, SolidPrincipalValuesWithDirectionsOrTheValueAlone) {
  ElemSet full(22), partial(22);
  for (std::int32_t id = 312107; id <= 312109; ++id) full.Add(id, id - 312100, 0);
  for (std::int32_t id = 312127; id <= 312135; ++id) full.Add(id, (id - 312127) / 10.0, 0);
  // B first: B, its cosines x, y, z (312128, 312131, 312134), then A and C.
  const std::vector<Column> b = full.Load(312109);
  ASSERT_EQ(b.size(), 12u);
  EXPECT_EQ(full.m_amt, pvk::AMT_PRINCIPAL_3D);
  EXPECT_EQ((Column{b[0][0], b[1][0], b[2][0], b[3][0], b[4][0], b[8][0]}),
            (Column{9, 0.1, 0.4, 0.7, 7, 8}));
  for (std::int32_t id = 312107; id <= 312134; ++id)
    if (id <= 312109 || id >= 312127) partial.Add(id, 1, 0);  // cosine 312135 is missing
  EXPECT_EQ(partial.Load(312109), (std::vector<Column>{{1, 0}}));
  EXPECT_EQ(partial.m_amt, pvk::AMT_SCALAR);
}

TEST(VResultStressTemplates, InPlanePrincipalValuesAndDirections) {
  // Shell strains of the top layer: XX, YY and the engineering XY.
  ElemSet strain(33);
  strain.Add(411101, 10, 0);
  strain.Add(411102, 2, 0);
  strain.Add(411104, 0, 10);
  strain.Add(411107, -1, -1);
  strain.Add(411108, -2, -2);
  const std::vector<Column> major = strain.Load(411107);
  ASSERT_EQ(major.size(), 8u);
  EXPECT_EQ(strain.m_amt, pvk::AMT_PRINCIPAL_2D);
  // Element 7: (10, 2, 0) along x and y; element 3: pure shear 5, at 45 degrees.
  EXPECT_EQ((Column{major[0][0], major[1][0], major[2][0], major[4][0]}), (Column{10, 1, 0, 2}));
  EXPECT_NEAR(major[0][1], 5, 1e-12);
  EXPECT_NEAR(major[1][1], M_SQRT1_2, 1e-12);
  EXPECT_NEAR(major[2][1], M_SQRT1_2, 1e-12);
  const std::vector<Column> minor = strain.Load(411108);
  ASSERT_EQ(minor.size(), 8u);
  EXPECT_EQ(minor[0][0], 2);
  EXPECT_NEAR(minor[1][0], 0, 1e-12);
  EXPECT_NEAR(minor[2][0], -1, 1e-12);
  EXPECT_NEAR(minor[0][1], -5, 1e-12);
}

}  // namespace
