// The conversion of loaded result values: per-group paths, index checks, the complex-result
// gate with its warning, and the wiring to data sets, element systems and the model.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

#include "base/MsgOut.h"
#include "csys/OutputCSysConvertAPI.h"
#include "csys/OutputCSysConverter_ZAR.h"
#include "datastore/FakeDataLoaders.h"
#include "datastore/PostDSetModelResult.h"
#include "datastore/PostPartialD.h"
#include "session/MemModelDB.h"
#include "vresult/VResult.h"
#include "vresult/templates/VRTmplCSysConvert.h"

using Conv = COutputCSysConverter_ZAR;

namespace {

// Element 0: axes x' = y, y' = z (normal x); element 1: the global axes.
const pvk::TElemOutCsys_d kSystems[2] = {{{0, 1, 0, 0, 0, 1}}, {{1, 0, 0, 0, 1, 0}}};

// Columns of nComp values per row; entity 0 has rows 0 to 2, entity 1 rows 3 and 4.
struct Columns {
  std::vector<std::vector<double>> col;
  std::int32_t dsi[2] = {0, 3};
  std::int32_t dct[2] = {3, 2};

  explicit Columns(int nComp) : col(nComp, std::vector<double>(5)) {
    for (int k = 0; k < nComp; ++k)
      for (int r = 0; r < 5; ++r) col[k][r] = 1.0 + k + 10.0 * r;
  }
  std::vector<double> Row(int r) const {
    std::vector<double> v;
    for (const auto& c : col) v.push_back(c[r]);
    return v;
  }
  TCSysConvGroups Groups(const std::uint8_t* pShell = nullptr) {
    TCSysConvGroups g;
    g.nEntity = 2;
    g.pDSI = dsi;
    g.pDCT = dct;
    g.pElemCSys = kSystems;
    g.pIsShell = pShell;
    g.nComp = static_cast<std::int32_t>(col.size());
    g.nRows = 5;
    for (std::size_t k = 0; k < col.size(); ++k) g.pComp[k] = col[k].data();
    return g;
  }
};

TOutCSysInfo Kind(std::int32_t kind) {
  TOutCSysInfo info;
  info.nCSysKind = kind;
  return info;
}

}  // namespace

// Element values end in global axes (the output system is global). Element 0's x' is the
// global y, so a local row reads permuted globally; in-plane axes (y, z) against global (x, y)
// keep only the terms along global y. Element 1 is global already.
TEST(ConvertGroups, EveryGroupGoesFromItsElementSystemToGlobalAxes) {
  struct Case {
    int nComp;
    int nStrain;
    std::vector<int> from;  // global component k = local component from[k], -1 for zero
  };
  const Case cases[] = {
      {3, 0, {2, 0, 1}},
      {6, 0, {2, 0, 1, 5, 3, 4}},
      {6, 1, {2, 0, 1, 5, 3, 4}},  // engineering shears map the same way
      {8, 0, {-1, 0, -1, -1, 3, -1, -1, 6}},
  };
  for (const Case& c : cases) {
    Columns cols(c.nComp);
    const Columns before(c.nComp);
    ASSERT_EQ(Conv::ConvertGroups(Kind(1), c.nStrain, cols.Groups()), 1) << c.nComp;
    for (int r = 0; r < 5; ++r) {
      const std::vector<double> was = before.Row(r), got = cols.Row(r);
      for (int k = 0; k < c.nComp; ++k) {
        const double want = r >= 3 ? was[k] : c.from[k] < 0 ? 0.0 : was[c.from[k]];
        EXPECT_NEAR(got[k], want, 1e-13) << c.nComp << " " << r << " " << k;
      }
    }
  }
}

TEST(ConvertGroups, UnfitIndexOrCountChangesNothing) {
  struct Case {
    const char* name;
    void (*spoil)(TCSysConvGroups&, Columns&);
  };
  const Case cases[] = {
      {"group past the rows", [](TCSysConvGroups&, Columns& c) { c.dct[1] = 3; }},
      {"negative offset", [](TCSysConvGroups&, Columns& c) { c.dsi[0] = -1; }},
      {"negative count", [](TCSysConvGroups&, Columns& c) { c.dct[0] = -2; }},
      {"four components", [](TCSysConvGroups& g, Columns&) { g.nComp = 4; }},
      {"missing column", [](TCSysConvGroups& g, Columns&) { g.pComp[2] = nullptr; }},
      {"missing index", [](TCSysConvGroups& g, Columns&) { g.pDCT = nullptr; }},
  };
  for (const Case& c : cases) {
    Columns cols(6);
    const Columns before(6);
    TCSysConvGroups g = cols.Groups();
    c.spoil(g, cols);
    EXPECT_EQ(Conv::ConvertGroups(Kind(1), 0, g), 0) << c.name;
    EXPECT_EQ(cols.col, before.col) << c.name;
  }
  // A projection direction along a shell's normal is refused rather than zeroing values.
  Columns cols(8);
  TOutCSysInfo info = Kind(1);
  info.nProjection = 1;  // default direction x is element 0's normal
  const std::uint8_t shell[2] = {1, 1};
  EXPECT_EQ(Conv::ConvertGroups(info, 0, cols.Groups(shell)), 0);
  EXPECT_EQ(cols.col, Columns(8).col);
}

namespace {

class CFixedIdResult : public CVResult {
public:
  explicit CFixedIdResult(std::int32_t id) : m_nId(id) {}
  std::int32_t GetType() const override { return m_nId; }

private:
  std::int32_t m_nId;
};

// Two elements (ids 10 and 20) of a six-component result, rows as in Columns, in a data set
// whose element systems are kSystems; element 10 is a hexahedron, 20 a quadrilateral shell.
class ConvertPartialDTest : public ::testing::Test {
protected:
  void SetUp() override {
    m_data.Init(pvk::AMT_TENSOR6, pvk::LOC_ELEM, 6);
    *m_data.GetKey() = {10, 20};
    *m_data.GetDSI() = {0, 3};
    *m_data.GetDCT() = {3, 2};
    const Columns cols(6);
    for (int k = 0; k < 6; ++k) *m_data.GetComp(k) = cols.col[k];
    m_set.SetElemCSysLoader(std::make_shared<FakeResultLoader<pvk::TElemOutCsys_d>>(
        zar::MArray<pvk::TElemOutCsys_d>{kSystems[0], kSystems[1]}));
    m_binding.pDSet = &m_set;
    for (int n = 1; n <= 8; ++n) m_model.AddNode(n, n, 0, 0);
    m_model.AddElement(10, 14, {1, 2, 3, 4, 5, 6, 7, 8});
    m_model.AddElement(20, 6, {1, 2, 3, 4});
    m_param.pLinker = &m_model;
    m_previous = zar::lib::SetMsgSink(
        [this](zar::lib::EMsgLevel, const CString& text) { m_warnings.push_back(text.str()); });
  }
  void TearDown() override { zar::lib::SetMsgSink(m_previous); }

  int Convert(const TOutCSysInfo& info, std::int32_t id, int nStrain = 0) {
    CFixedIdResult result(id);
    return pvk::vrtmpl::ConvertPartialD(&info, &result, &m_data, &m_binding, &m_param, nStrain);
  }
  std::vector<double> Row(int r) {
    std::vector<double> v;
    for (int k = 0; k < 6; ++k) v.push_back((*m_data.GetComp(k))[r]);
    return v;
  }

  CPostPartialD m_data;
  CPostUnitModelResultDSet m_set{pvk::LOC_ELEM, 1};
  TVRDSet m_binding;
  CMemModelDB m_model;
  TVResParam m_param;
  zar::lib::MsgSink m_previous;
  std::vector<std::wstring> m_warnings;
};

}  // namespace

TEST_F(ConvertPartialDTest, ComplexResultsAndUnknownKindsAreRefused) {
  const Columns before(6);
  TOutCSysInfo info = Kind(1);
  EXPECT_EQ(Convert(info, 1000000102), 0);
  EXPECT_TRUE(m_warnings.empty());
  info.nShowWarning = 1;
  EXPECT_EQ(Convert(info, 1000000102), 0);
  ASSERT_EQ(m_warnings.size(), 1u);
  EXPECT_EQ(m_warnings[0], L"Output CSys Option Bypassed : The Result Is a Complex Result");
  for (std::int32_t kind : {0, 6, -1}) {
    info.nCSysKind = kind;
    EXPECT_EQ(Convert(info, 60102), 0) << kind;
    EXPECT_EQ(Conv::IsNeedConvert(&info), kind != 0 ? 1 : 0);
  }
  EXPECT_EQ(m_warnings.size(), 1u);
  for (int r = 0; r < 5; ++r) EXPECT_EQ(Row(r), before.Row(r));
  EXPECT_EQ(Conv::IsNeedConvert(nullptr), 0);
}

TEST_F(ConvertPartialDTest, ElementSystemsOfTheDataSetAreApplied) {
  const Columns before(6);
  ASSERT_EQ(Convert(Kind(5), 60102), 1);
  const auto r0 = before.Row(0);
  EXPECT_EQ(Row(0), (std::vector<double>{r0[2], r0[0], r0[1], r0[5], r0[3], r0[4]}));
  EXPECT_EQ(Row(4), before.Row(4));
}

// Shell 20 lies in the global plane: the direction (1, 1) turns its in-plane triple by 45
// degrees and leaves the rest. Element 10 is no shell and takes the solid path.
TEST_F(ConvertPartialDTest, ProjectionTurnsShellsFoundInTheModel) {
  const Columns before(6);
  TOutCSysInfo info = Kind(1);
  info.nProjection = 1;
  info.rProjDir[1] = 1;
  ASSERT_EQ(Convert(info, 60102), 1);
  for (int r = 3; r < 5; ++r) {
    const auto got = Row(r), was = before.Row(r);
    const double mean = (was[0] + was[1]) / 2;
    const double want[6] = {mean + was[2], mean - was[2], (was[1] - was[0]) / 2,
                            was[3],        was[4],        was[5]};
    for (int k = 0; k < 6; ++k) EXPECT_NEAR(got[k], want[k], 1e-13) << r << " " << k;
  }
  const auto solid = before.Row(1);
  EXPECT_EQ(Row(1),
            (std::vector<double>{solid[2], solid[0], solid[1], solid[5], solid[3], solid[4]}));
}

TEST_F(ConvertPartialDTest, InconsistentBlocksFail) {
  m_data.GetComp(3)->pop_back();
  EXPECT_EQ(Convert(Kind(1), 60102), 0);
  SetUp();
  m_set.SetElemCSysLoader(std::make_shared<FakeResultLoader<pvk::TElemOutCsys_d>>(
      zar::MArray<pvk::TElemOutCsys_d>{kSystems[0]}));  // one system for two elements
  EXPECT_EQ(Convert(Kind(1), 60102), 0);
  EXPECT_EQ(Row(0), Columns(6).Row(0));
}
