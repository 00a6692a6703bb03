// Element results beyond the registry walk: tensors set to show all components or turned into
// the output system, and principal values.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <vector>

#include "ResultSets.h"
#include "base/MsgOut.h"
#include "csys/OutputCSysTypes.h"

namespace vrtest {
namespace {

using CSys = pvk::TElemOutCsys_d;

constexpr CSys kGlobal{1, 0, 0, 0, 1, 0};
constexpr CSys kTurned45{M_SQRT1_2, M_SQRT1_2, 0, -M_SQRT1_2, M_SQRT1_2, 0};

// Element data of one category on the triangles 7 and 3.
class ElemSet : public ResultSet {
public:
  explicit ElemSet(std::int32_t category) : ResultSet(category, pvk::LOC_ELEM) {}
  // One value per element, repeated over its centre and nodes.
  void Add(std::int32_t compId, double e7, double e3) {
    ResultSet::Add(compId, {e7, e7, e7, e7, e3, e3, e3, e3});
  }
  void Systems(const CSys& e7, const CSys& e3) {
    Get()->SetElemCSysLoader(std::make_shared<FakeResultLoader<CSys>>(zar::MArray<CSys>{e7, e3}));
  }
  // The centre values of element 7 and 3 in each column; the block stays in m_block.
  Columns Load(std::int32_t id, pvk::AMT_TYPE amt = pvk::AMT_TYPE(0),
               const TOutCSysInfo* pCSys = nullptr) {
    auto vr = Create(id);
    vr->SetLocType(pvk::LOC_ELEM);  // as the import does, from the data set
    if (amt) vr->SetAMTType(amt);
    m_block = LoadBlock(*vr, {Get()}, nullptr, pCSys);
    Columns columns;
    for (const Column& c : ColumnsOf(m_block)) columns.push_back({c.at(0), c.at(4)});
    return columns;
  }
  std::optional<CPostPartialD> m_block;
};

// Solid stress (312101...) or strain (311101...) tensors: XX 1, YY 2, XY 0.5 in element 7,
// XX 4 elsewhere zero in element 3.
void AddTensor(ElemSet& set, std::int32_t first) {
  const double e7[6] = {1, 2, 0, 0.5, 0, 0}, e3[6] = {4, 0, 0, 0, 0, 0};
  for (std::int32_t i = 0; i < 6; ++i) set.Add(first + i, e7[i], e3[i]);
}

TEST(VResultStressTemplates, ElementTensorsAsAWholeAndInTheOutputSystem) {
  ElemSet stress(22), strain(36), forces(54);
  AddTensor(stress, 312101);
  AddTensor(strain, 311101);
  EXPECT_EQ(stress.Load(312101, pvk::AMT_TENSOR6).size(), 6u);
  for (const std::int32_t id : {430402, 430403, 430404, 430409, 430410})
    forces.Add(id, id - 430400, 0);
  EXPECT_EQ(forces.Load(430404, pvk::AMT_FORCE_SET8).at(1), (Column{3, 0}));  // YY of all eight

  // Element 7 lies turned by 45 degrees: its values reach global axes rotated; the strain's
  // shear is an engineering shear, halved before the rotation.
  stress.Systems(kTurned45, kGlobal);
  strain.Systems(kTurned45, kGlobal);
  const TOutCSysInfo global{1};
  const Columns xx = stress.Load(312101, pvk::AMT_TYPE(0), &global);
  ASSERT_EQ(xx.size(), 1u);
  EXPECT_NEAR(xx[0][0], 1.5 - 0.5, 1e-12);  // (xx + yy) / 2 - xy for the turned axes
  EXPECT_NEAR(xx[0][1], 4.0, 1e-12);
  const Columns strainXX = strain.Load(311101, pvk::AMT_TYPE(0), &global);
  ASSERT_EQ(strainXX.size(), 1u);
  EXPECT_NEAR(strainXX[0][0], 1.5 - 0.25, 1e-12);

  // A conversion that fails shows the stored values and says so.
  std::vector<CString> warnings;
  auto previous = zar::lib::SetMsgSink(
      [&](zar::lib::EMsgLevel, const CString& text) { warnings.push_back(text); });
  const TOutCSysInfo unknownKind{9};
  const Columns stored = stress.Load(312101, pvk::AMT_TYPE(0), &unknownKind);
  zar::lib::SetMsgSink(previous);
  EXPECT_EQ(stored, (Columns{{1, 4}}));
  EXPECT_NE(std::find(warnings.begin(), warnings.end(),
                      CString(L"Failed to Output Coordinate Converting")),
            warnings.end());
}

TEST(VResultStressTemplates, SolidPrincipalValueAloneWithoutAllItsDirections) {
  ElemSet partial(22);
  for (std::int32_t id = 312107; id <= 312134; ++id)
    if (id <= 312109 || id >= 312127) partial.Add(id, 1, 0);  // cosine 312135 is missing
  EXPECT_EQ(partial.Load(312109), (Columns{{1, 0}}));
  EXPECT_EQ(partial.m_block->GetAMTType(), pvk::AMT_SCALAR);
}

TEST(VResultStressTemplates, InPlanePrincipalValuesAndDirections) {
  // Shell strains of the top layer: XX, YY and the engineering XY.
  ElemSet strain(33);
  strain.Add(411101, 10, 0);
  strain.Add(411102, 2, 0);
  strain.Add(411104, 0, 10);
  strain.Add(411107, -1, -1);
  strain.Add(411108, -2, -2);
  const Columns major = strain.Load(411107);
  ASSERT_EQ(major.size(), 8u);
  EXPECT_EQ(strain.m_block->GetAMTType(), pvk::AMT_PRINCIPAL_2D);
  // Element 7: (10, 2, 0) along x and y; element 3: pure shear 5, at 45 degrees.
  EXPECT_EQ((Column{major[0][0], major[1][0], major[2][0], major[4][0]}), (Column{10, 1, 0, 2}));
  EXPECT_NEAR(major[0][1], 5, 1e-12);
  EXPECT_NEAR(major[1][1], M_SQRT1_2, 1e-12);
  EXPECT_NEAR(major[2][1], M_SQRT1_2, 1e-12);
  const Columns minor = strain.Load(411108);
  ASSERT_EQ(minor.size(), 8u);
  EXPECT_EQ(minor[0][0], 2);
  EXPECT_NEAR(minor[1][0], 0, 1e-12);
  EXPECT_NEAR(minor[2][0], -1, 1e-12);
  EXPECT_NEAR(minor[0][1], -5, 1e-12);
}

}  // namespace
}  // namespace vrtest
