// Display-list items: the choice of results and data classes, the state flags, and loading
// with the magnitude or phase angle of a complex pair and the sigma scaling of an RMS case.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <typeindex>
#include <utility>
#include <vector>

#include "IBMTestGrid.h"
#include "ibm/IBMGlobalElem.h"
#include "ibm/IBMGlobalElemVolume.h"
#include "ibm/IBMGlobalFacet.h"
#include "ibm/IBMGlobalNone.h"
#include "ibm/IBMGlobalVect.h"
#include "ibm/IBMPDLItem.h"
#include "ibm/MPUPostProvider.h"
#include "ibm/MeshPostUnit.h"
#include "ibm/PDLManager.h"
#include "session/POHScas.h"
#include "session/POHTestNodes.h"
#include "session/POHVcas.h"
#include "vresult/VResult.h"
#include "vresult/VResultPackage.h"

namespace {

using Columns = std::vector<std::vector<double>>;
using Item = CIBMPDLItem;
constexpr std::int32_t kPhase = 1000000000;

// A result of a given id and location type that loads the given columns, one row per key
// (1, 2, ... unless given).
class CGivenResult : public CVResult {
public:
  CGivenResult(std::int32_t id, pvk::LOC_TYPE loc, Columns columns = {},
               pvk::AMT_TYPE amt = pvk::AMT_VECTOR, std::vector<std::int32_t> keys = {})
      : m_nID(id), m_columns(std::move(columns)), m_keys(std::move(keys)) {
    SetLocType(loc);
    SetAMTType(amt);
    AddVRDSet(TVRDSet{});
    for (std::size_t i = m_keys.size(); !m_columns.empty() && i < m_columns[0].size(); ++i)
      m_keys.push_back(static_cast<std::int32_t>(i) + 1);
  }
  std::int32_t GetType() const override { return m_nID; }
  bool m_bFail = false;

protected:
  int _LoadPartial(CPostPartialD* pData, TVRDSet*, TVResParam*) override {
    const auto nComp = static_cast<std::int32_t>(m_columns.size());
    if (m_bFail || !nComp || !pData->Init(GetDLoadOpt().nAMTType, GetLocType(), nComp)) return 0;
    for (std::int32_t c = 0; c < nComp; ++c)
      pData->GetComp(c)->assign(m_columns[c].begin(), m_columns[c].end());
    *pData->GetKey() = m_keys;
    return 1;
  }

private:
  std::int32_t m_nID;
  Columns m_columns;
  std::vector<std::int32_t> m_keys;
};

// The host's side: one mesh post unit with a body, for one result file.
class CTestProvider : public IMPUPostProvider {
public:
  CMPUPost* GetMPUPost(std::uint64_t key) const override {
    return key && key == m_nKey ? m_pMPU : nullptr;
  }
  std::int32_t GetAnalType(const CVResult&) const override { return 112; }
  double GetFatigueMax(const CVResult&) const override { return 1.0; }
  bool GetSigmaFactor(const CVResult&, double& factor) const override {
    if (m_sigma) factor = *m_sigma;
    return m_sigma.has_value();
  }
  const zar::lib::MUnitCtrl* GetUnitCtrl() const override { return nullptr; }

  CMPUPost* m_pMPU = nullptr;
  std::uint64_t m_nKey = 0;
  std::optional<double> m_sigma;
};

// One result file with one sub-case and step whose package holds the results of a case.
class IBMPDLItem : public ::testing::Test {
protected:
  void SetUp() override {
    m_mcas = m_session.GetPOHPool(0)->Add();
    m_mpu.MakeBodySet();
    m_provider.m_pMPU = &m_mpu;
    m_provider.m_nKey = m_mcas;
    m_param.m_pMPUProvider = &m_provider;
  }
  // A new sub-case and step of that name and analysis type.
  void NewCase(const wchar_t* name, std::int32_t analType) {
    const std::uint64_t scas = AddNode(m_session, 1, name, m_mcas);
    static_cast<CPOHScas*>(m_session.GetPOHPool(1)->GetAt(scas))->SetMecAnalType(analType);
    m_vcas = AddNode(m_session, 2, L"", scas);
  }
  CGivenResult* Add(std::int32_t id, pvk::LOC_TYPE loc, Columns columns = {},
                    pvk::AMT_TYPE amt = pvk::AMT_VECTOR, std::vector<std::int32_t> keys = {}) {
    auto result = std::make_unique<CGivenResult>(id, loc, std::move(columns), amt, std::move(keys));
    result->SetParent(m_vcas);
    result->SetPOHSession(&m_session);
    CGivenResult* raw = result.get();
    std::unique_ptr<CVResult> owned = std::move(result);
    auto* step = static_cast<CPOHVcas*>(m_session.GetPOHPool(2)->GetAt(m_vcas));
    return step->GetPackage()->Insert(owned) ? raw : nullptr;
  }
  static std::int32_t IdOf(const CVResult* vr) { return vr ? vr->GetType() : 0; }

  CQVEPOHSession m_session;
  std::uint64_t m_mcas = 0, m_vcas = 0;
  CMPUPost m_mpu;
  CTestProvider m_provider;
  TIBMLoadParam m_param;
  pvk::TDLoadOpt m_opt;
};

TEST_F(IBMPDLItem, ResultChoiceAndStateFlags) {
  struct Row {
    std::int32_t id;
    pvk::LOC_TYPE loc;
    std::vector<std::int32_t> others;  // further results of the step
    const wchar_t* caseName;
    std::int32_t analType;
    std::uint32_t state;
    std::int32_t main, imag, nonl;
  };
  using enum pvk::LOC_TYPE;
  const std::uint32_t kC = Item::STATE_COMP, kCM = kC | Item::STATE_MAGNITUDE;
  const std::uint32_t kP = Item::STATE_PHASE, kN = Item::STATE_NONL;
  // Board codes of group 1 with ids 3 and 7: stresses 7203 and 7207 (von Mises).
  const std::int32_t kB3 = 51004103, kB7 = 51004107;
  const Row rows[] = {
      // The phase-angle variant: its base result is the main one.
      {kPhase + 101, LOC_NODE, {101}, L"Load", 112, kP, 101, kPhase + 101, 0},
      // Without its base result the phase-angle variant is only the counterpart.
      {kPhase + 7201, LOC_NODE, {}, L"Load", 112, kP | kCM, 0, kPhase + 7201, 0},
      {7201, LOC_NODE, {kPhase + 7201}, L"Load", 112, kCM, 7201, kPhase + 7201, 0},
      // Von Mises: a component-like counterpart, but no magnitude.
      {kPhase + 7207, LOC_NODE, {7207}, L"Load", 112, kP | kC, 7207, kPhase + 7207, 0},
      {kB3, LOC_NODE, {kPhase + kB3}, L"Load", 112, kCM, kB3, kPhase + kB3, 0},
      {kB7, LOC_NODE, {kPhase + kB7}, L"Load", 112, kC, kB7, kPhase + kB7, 0},
      {7701, LOC_NODE, {7207}, L"Load", 0, kN, 7701, 0, 7207},
      {7207, LOC_NODE, {7701}, L"Load", 0, 0, 7207, 0, 0},
      {7207, LOC_NODE, {7701}, L"Load", 123, kN, 7207, 0, 7701},
      {60311, LOC_NODE, {60266}, L"Load", 0, kN, 60311, 0, 60266},
      {60268, LOC_NODE, {60300}, L"Load", 123, kN, 60268, 0, 60300},
      {60279, LOC_NODE, {60300}, L"Load", 0, 0, 60279, 0, 0},
      // The partner must be at the same location type.
      {7701, LOC_NODE, {}, L"Load", 0, 0, 7701, 0, 0},
      {101, LOC_POINT, {}, L"Load", 0, Item::STATE_POINT, 101, 0, 0},
      {1301, LOC_FACET, {}, L"Load", 0, Item::STATE_POINT, 1301, 0, 0},
      {1302, LOC_FACET, {}, L"Load", 0, 0, 1302, 0, 0},
      // RMS drops the point and phase flags set before it, keeps those after it.
      {101, LOC_POINT, {}, L"rms", 0, Item::STATE_RMS, 101, 0, 0},
      {kPhase + 7201, LOC_NODE, {7201}, L"RMS", 112, Item::STATE_RMS | kCM, 7201, kPhase + 7201, 0},
      {7201, LOC_NODE, {kPhase + 7201}, L"RMS 2", 112, kCM, 7201, kPhase + 7201, 0},
  };
  for (const Row& row : rows) {
    NewCase(row.caseName, row.analType);
    CVResult* given = Add(row.id, row.loc);
    for (const std::int32_t other : row.others) ASSERT_TRUE(Add(other, row.loc)) << other;
    ASSERT_TRUE(Add(7207, row.loc == LOC_NODE ? LOC_ELEM : LOC_NODE));  // never a partner
    Item item;
    item.SetVResultMain(given);
    EXPECT_EQ(item.CheckState(0xFFFFFFFFu), row.state) << row.id;
    EXPECT_EQ(IdOf(item.GetVResultMain()), row.main) << row.id;
    EXPECT_EQ(IdOf(item.GetVResultImag()), row.imag) << row.id;
    EXPECT_EQ(IdOf(item.GetVResultNonl()), row.nonl) << row.id;
  }
  // Outside a package a result has no counterpart and stays the main one.
  CGivenResult alone(kPhase + 7201, pvk::LOC_NODE);
  Item item;
  item.SetVResultMain(&alone);
  EXPECT_EQ(item.GetVResultMain(), &alone);
  EXPECT_EQ(item.GetVResultImag(), nullptr);
  EXPECT_EQ(item.CheckState(0xFFFFFFFFu), Item::STATE_PHASE);
}

TEST_F(IBMPDLItem, DataClassByLocationTypeForEachCreator) {
  struct Row {
    std::int32_t loc;
    std::type_index result, cap, fatigue;
  };
  const std::type_index none = typeid(CIBMGlobalNone), facet = typeid(CIBMGlobalFacet),
                        vect = typeid(CIBMGlobalVect), elem = typeid(CIBMGlobalElem),
                        volume = typeid(CIBMGlobalElemVolume);
  const Row rows[] = {
      {0, none, none, none},     {1, facet, facet, facet},  {2, none, none, none},
      {3, none, none, none},     {4, none, none, none},     {5, vect, vect, vect},
      {6, elem, volume, volume}, {7, volume, volume, none}, {8, none, none, none},
  };
  const auto type = [](const CIBMGlobalD* d) { return std::type_index(typeid(*d)); };
  for (const Row& row : rows) {
    CGivenResult vr(101, static_cast<pvk::LOC_TYPE>(row.loc));
    Item item;
    item.SetVResultMain(&vr);
    item.SetVResultDeform(&vr);
    item.SetVResultFatigue(&vr);
    EXPECT_EQ(type(item.GetMainD()), row.result) << row.loc;
    EXPECT_EQ(type(item.GetDeformD()), row.result) << row.loc;
    EXPECT_EQ(type(item.GetCapD()), row.cap) << row.loc;
    EXPECT_EQ(type(item.GetFatigueD()), row.fatigue) << row.loc;
  }
  // The density of a topology optimisation at the nodes shows on the cells.
  CGivenResult density(7401, pvk::LOC_NODE);
  Item item;
  item.SetVResultMain(&density);
  EXPECT_EQ(density.GetLocType(), pvk::LOC_IBM_VOLUME_NODE);
  EXPECT_EQ(type(item.GetMainD()), volume);
}

// Point values of a complex pair: real parts 3, -3, 0, 1e-3 and imaginary parts 4, 4, -2, 0.
// An RMS case scales every value by the host's sigma factor, when it gives one.
TEST_F(IBMPDLItem, ComplexPairGivesMagnitudePhaseOrStaysApart) {
  struct Row {
    std::int32_t base;
    bool bPhase;  // the phase-angle variant is set on the item, else the base result
    const wchar_t* caseName;
    std::optional<double> sigma;
    std::vector<double> main;
    std::int32_t nMin, nMax;
  };
  const Row rows[] = {
      {7201, false, L"Load", 3.0, {5, 5, 2, 1e-3}, 3, 0},
      {7201, true, L"Load", {}, {53.13010235415598, 126.86989764584402, -90, 0}, 2, 1},
      // Von Mises values are not combined.
      {7207, false, L"Load", {}, {3, -3, 0, 1e-3}, 1, 0},
      {7201, false, L"RMS", 3.0, {15, 15, 6, 3e-3}, 3, 0},
      {7201, false, L"RMS", {}, {5, 5, 2, 1e-3}, 3, 0},
  };
  const std::vector<double> imag = {4, 4, -2, 0};
  for (const Row& row : rows) {
    NewCase(row.caseName, 112);
    m_provider.m_sigma = row.sigma;
    CVResult* re = Add(row.base, pvk::LOC_POINT, {{3, -3, 0, 1e-3}, {1, 1, 1, 1}});
    CVResult* im = Add(kPhase + row.base, pvk::LOC_POINT, {imag, {2, 2, 2, 2}});
    Item item;
    item.SetVResultMain(row.bPhase ? im : re);
    const double factor = item.CheckState(Item::STATE_RMS) ? row.sigma.value_or(1.0) : 1.0;
    // A second load gives the same: the phase angle keeps its main role.
    for (int load = 0; load < 2; ++load) {
      ASSERT_EQ(item.LoadMainData(m_opt, m_param), 1) << row.base;
      const CIBMGlobalD& data = *item.GetMainD();
      for (std::size_t i = 0; i < row.main.size(); ++i) {
        EXPECT_NEAR(data.GetScalarComp()[i], row.main[i], 1e-12) << row.base << i;
        EXPECT_EQ(item.GetImagD()->GetScalarComp()[i], imag[i] * factor) << row.base << i;
        EXPECT_EQ((*data.GetCompData(1))[i], factor) << row.base << i;
      }
      EXPECT_EQ(data.GetDataRange().m_nMinIdx, row.nMin) << row.base;
      EXPECT_EQ(data.GetDataRange().m_nMaxIdx, row.nMax) << row.base;
      EXPECT_EQ(item.GetVResultMain(), row.bPhase ? im : re) << row.base;
    }
  }
}

// Recovered stresses of a complex analysis load as a pair into one grid data object: its
// magnitude, or its phase angle, whose result then holds the main role.
TEST_F(IBMPDLItem, RecoveredStressPairGivesMagnitudeOrPhase) {
  ibmtest::CTestGrid grid({ibmtest::TGridBody{}});
  m_provider.m_pMPU = &grid.mpu;
  m_param.m_pMesh = &grid;
  m_param.m_pMPUData = &grid.display;
  m_param.m_nBuild = 1;
  std::vector<std::int32_t> ids;
  for (std::int32_t nd = 0; nd < grid.mpu.GetBody().GetNodeSize(); ++nd)
    ids.push_back(grid.mpu.GetBody().GetNodeID(nd));
  // Constant recovered polynomials: the first coefficient of each stress component.
  const auto columns = [&](double value) {
    Columns c(60, std::vector<double>(ids.size(), 0.0));
    for (std::size_t k = 0; k < 60; k += 10) c[k].assign(ids.size(), value);
    return c;
  };
  for (const auto& [id, expected] : {std::pair{60200, 5.0}, {kPhase + 60200, 126.86989764584402}}) {
    NewCase(L"Load", 112);
    const auto loc = pvk::LOC_IBM_VOLUME_NODE;
    CGivenResult* re = Add(60200, loc, columns(-3.0), pvk::AMT_SPR6, ids);
    CGivenResult* im = Add(kPhase + 60200, loc, columns(4.0), pvk::AMT_SPR6, ids);
    Item item;
    item.SetVResultMain(id == 60200 ? re : im);
    ASSERT_EQ(item.LoadMainData(m_opt, m_param), 1) << id;
    ASSERT_FALSE(item.GetMainD()->IsEmpty()) << id;
    for (const double v : item.GetMainD()->GetScalarComp()) ASSERT_NEAR(v, expected, 1e-4) << id;
    EXPECT_EQ(IdOf(item.GetVResultMain()), id);
  }
}

// A load that fails returns 0 and leaves the data as they were.
TEST_F(IBMPDLItem, FailedLoadKeepsTheData) {
  NewCase(L"Load", 0);
  CGivenResult* vr = Add(101, pvk::LOC_POINT, {{1, 2}, {0, 0}, {0, 0}, {0, 0}});
  Item item;
  EXPECT_EQ(item.LoadMainData(m_opt, m_param), 0);  // no result set
  item.SetVResultMain(vr);
  item.SetVResultDeform(vr);
  item.SetVResultFatigue(vr);
  ASSERT_EQ(item.LoadMainData(m_opt, m_param), 1);
  EXPECT_EQ(m_opt.nResType, 101);
  const auto breakers = std::vector<std::function<void(bool)>>{
      [&](bool on) { m_param.m_pMPUProvider = on ? nullptr : &m_provider; },
      [&](bool on) { m_provider.m_nKey = on ? m_mcas + 1 : m_mcas; },
      [&](bool on) { vr->m_bFail = on; },
  };
  for (std::size_t b = 0; b < breakers.size(); ++b) {
    breakers[b](true);
    EXPECT_EQ(item.LoadMainData(m_opt, m_param), 0) << b;
    EXPECT_EQ(item.LoadDeformData(m_opt, m_param), 0) << b;
    EXPECT_EQ(item.GetMainD()->GetScalarComp(), (zar::MArray<double>{1, 2})) << b;
    breakers[b](false);
  }
  EXPECT_EQ(item.LoadDeformData(m_opt, m_param), 1);
  EXPECT_EQ(item.GetDeformD()->GetDataRange().m_rMax, 2.0);
  // Point values take no second list: their caps and fatigue data cannot load.
  EXPECT_EQ(item.LoadCapData(m_opt, m_param), 0);
  EXPECT_EQ(item.LoadFatigueData(m_opt, m_param), 0);

  item.Clear();
  EXPECT_EQ(item.GetVResultMain(), nullptr);
  EXPECT_EQ(item.GetMainD(), nullptr);
  EXPECT_EQ(item.CheckState(0xFFFFFFFFu), 0u);
}

TEST(PDLManager, AddActivateRemoveAndClear) {
  CPDLManager manager;
  CIBMPDLItem* items[] = {manager.AddIBMItem(), manager.AddIBMItem(), manager.AddIBMItem()};
  EXPECT_FALSE(manager.HasActiveIBMItem());
  ASSERT_EQ(manager.SetActivateIBMItem(items[1]), 1);
  EXPECT_EQ(manager.GetActiveIBMItem(), items[1]);
  // An item of no manager is neither activated nor removed.
  CIBMPDLItem foreign;
  EXPECT_EQ(manager.SetActivateIBMItem(&foreign), 0);
  EXPECT_EQ(manager.RemoveIBMItem(&foreign), 0);
  EXPECT_EQ(manager.GetIBMItemList().size(), 3u);
  ASSERT_EQ(manager.RemoveIBMItem(items[0]), 1);
  EXPECT_EQ(manager.GetActiveIBMItem(), items[1]);
  ASSERT_EQ(manager.RemoveIBMItem(items[1]), 1);
  EXPECT_FALSE(manager.HasActiveIBMItem());
  ASSERT_EQ(manager.GetIBMItemList().size(), 1u);
  EXPECT_EQ(manager.GetIBMItemList().front().get(), items[2]);
  manager.SetActivateIBMItem(items[2]);
  manager.Clear();
  EXPECT_FALSE(manager.HasActiveIBMItem());
  EXPECT_TRUE(manager.GetIBMItemList().empty());
}

}  // namespace
