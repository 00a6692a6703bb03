#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "base/UnitControl.h"
#include "datastore/FakeDataLoaders.h"
#include "datastore/PostDSetModelResult.h"
#include "datastore/PostPartialDList.h"
#include "session/MemModelDB.h"
#include "session/POHMcas.h"
#include "session/POHVcas.h"
#include "session/QVEPOHSession.h"
#include "vresult/VResult_ZAR.h"
#include "vresult/catalogue/VResultQuery_ZAR.h"

namespace vrtest {

using IDs = zar::MArray<std::int32_t>;
using Column = zar::MArray<double>;
using DSetList = zar::MList<CPostDSet*>;

// Von Mises stress (unit code 18) shaped like the scalar templates, except that it loads its
// one component into every column that its amount type has.
class CTestVonMises : public CVResult_ZAR {
  DECLARE_DYNCREATE(CTestVonMises)

public:
  static constexpr std::int32_t kId = 7207;
  CTestVonMises() { SetAMTType(pvk::AMT_SCALAR); }
  std::int32_t GetType() const override { return GetTypeOf(kId); }

protected:
  int _Init(const DSetList& dsets) override {
    ClearVRDSet();
    for (CPostDSet* pDSet : dsets) {
      TVRDSet vrdSet;
      vrdSet.pDSet = pDSet;
      vrdSet.count = 1;
      vrdSet.pDComp[0] = pDSet->GetDComp(kId);
      if (pDSet->GetLOCType() == GetLocType() && vrdSet.pDComp[0]) AddVRDSet(vrdSet);
    }
    return !IsEmptyVRDSet();
  }
  int _LoadPartial(CPostPartialD* pData, TVRDSet* pVRDSet, TVResParam* pParam) override {
    const auto* pDSet = static_cast<const CPostUnitModelResultDSet*>(pVRDSet->pDSet);
    const auto* pComp = static_cast<const CPostUnitModelResultDComp*>(pVRDSet->pDComp[0]);
    pData->Init(GetDLoadOpt().nAMTType, GetLocType(), 0);
    if (!pDSet->LoadKey(*pData->GetKey())) return 0;
    for (std::int32_t i = 0; i < pData->GetCompCnt(); ++i)
      if (!pComp->Load(*pData->GetComp(i), pParam->pLinker, pData->GetKey())) return 0;
    return pDSet->LoadDSI(*pData->GetDSI(), *pData->GetDCT(), pParam->pLinker, pData->GetKey());
  }
};

IMPLEMENT_DYNCREATE(CTestVonMises, CVResult_ZAR)

namespace {

TEST(CVResult, BaseAndCatalogueAnswersByDynamicCreation) {
  std::unique_ptr<CObject> pObject(CRuntimeClass::CreateObject("CVResult"));
  auto* pBase = dynamic_cast<CVResult*>(pObject.get());
  ASSERT_NE(pBase, nullptr);
  CString quantity = L"q", component = L"c";
  pBase->GetNameForLegend(quantity, component);
  EXPECT_EQ(pBase->GetName() + pBase->GetLegendName() + quantity + component,
            CString(L"UnKnownTypeUnKnownTypeqc"));
  EXPECT_EQ(pBase->GetType() + pBase->GetUnit() + pBase->GetResCatType(), 0);
  EXPECT_EQ(pBase->Init(DSetList()), 0);
  EXPECT_EQ(pBase->GetDLoadOpt().rFatigueMax, 1.0);
  EXPECT_TRUE(RUNTIME_CLASS(CVResult_ZAR)->IsDerivedFrom(RUNTIME_CLASS(CVResult)));

  CTestVonMises vr;
  for (const std::int32_t compId : {0, 7207, 50000123, 1000007207}) {
    vr.SetCompID(compId);
    const std::int32_t type = compId == 50000123 ? compId : CTestVonMises::kId;
    EXPECT_EQ(vr.GetType(), type);
    EXPECT_EQ(vr.GetName(), CVResultQuery_ZAR::_GetVResultName(type));
    EXPECT_EQ(vr.GetLegendName(), CVResultQuery_ZAR::_GetVResultLegendName(type));
    EXPECT_EQ(vr.GetUnit(), CVResultQuery_ZAR::_GetVResultUnit(type));
    EXPECT_EQ(vr.GetResCatType(), CVResultQuery_ZAR::_GetResCatType(type));
  }
  vr.GetNameForLegend(quantity, component);
  EXPECT_EQ(quantity + L"|" + component, CString(L"NODAL STRS|VON MISES"));
  vr.SetAMTType(pvk::AMT_SPR7);
  EXPECT_EQ(vr.IsSPR(), 1);
}

// A result file in N and mm with one sub-case and one step; the step holds node stresses of
// nodes 7 and 3 (category 102), and a second node data set of node 5 only.
class VResultInStep : public ::testing::Test {
protected:
  void SetUp() override {
    m_mcas = m_session.GetPOHPool(0)->Add();
    m_scas = m_session.GetPOHPool(1)->Add();
    m_vcas = m_session.GetPOHPool(2)->Add();
    m_session.GetPOHPool(1)->GetAt(m_scas)->SetParent(m_mcas);
    m_session.GetPOHPool(2)->GetAt(m_vcas)->SetParent(m_scas);
    const zar::lib::T_UNIT_INDEX fileUnits{2, 2, 0, 0, 2};
    static_cast<CPOHMcas*>(m_session.GetPOHPool(0)->GetAt(m_mcas))->SetUnitIndex(&fileUnits);
    for (const std::int32_t id : {3, 7}) m_db.AddNode(id, 0, 0, 0);

    CPostDSetContainer* pContainer = Step()->GetDSetContainer();
    AddSet(pContainer, &m_keys, &m_values);
    AddSet(pContainer, &m_otherKeys, &m_otherValues);
    pContainer->GetDSetListBylResCatType(0, 102, m_dsets);

    m_ctrl.SetCurUnitSystem({2, 0, 0, 0, 2});
    m_vr.SetLocType(pvk::LOC_NODE);
    m_vr.SetPOHSession(&m_session);
    m_vr.SetParent(m_vcas);
    ASSERT_EQ(m_vr.Init(m_dsets), 1);
  }
  CPOHVcas* Step() { return static_cast<CPOHVcas*>(m_session.GetPOHPool(2)->GetAt(m_vcas)); }
  void AddSet(CPostDSetContainer* pContainer, FakeResultLoader<std::int32_t>* pKeys,
              FakeResultLoader<double>* pValues) {
    auto* pDSet =
        static_cast<CPostUnitModelResultDSet*>(pContainer->AddUnitResultDSet(pvk::LOC_NODE, 102));
    pDSet->SetDataLoaderKey(pKeys);
    pDSet->AddDComp(CTestVonMises::kId)->SetDataLoader(pValues);
  }
  CQVEPOHSession m_session;
  CMemModelDB m_db;
  std::uint64_t m_mcas = 0, m_scas = 0, m_vcas = 0;
  FakeResultLoader<std::int32_t> m_keys{{7, 3}};
  FakeResultLoader<double> m_values{{1.5, -2.0}};
  FakeResultLoader<std::int32_t> m_otherKeys{{5}};
  FakeResultLoader<double> m_otherValues{{4.0}, 0};  // its values fail to load
  DSetList m_dsets;
  zar::lib::MUnitCtrl m_ctrl;
  CTestVonMises m_vr;
  TVResParam m_param{&m_ctrl, &m_db};
};

TEST_F(VResultInStep, LoadDataConvertsStressesFromMillimetreIntoMetre) {
  CPostPartialDList list;
  list.Add();  // cleared by the load
  ASSERT_EQ(m_vr.LoadData(&list, &m_param), 1);
  ASSERT_EQ(list.GetSize(), 2);
  const CPostPartialD& block = *list.GetList().front();
  EXPECT_EQ(*block.GetKey(), (IDs{7, 3}));
  EXPECT_EQ(*block.GetDSI(), (IDs{0, 1}));
  EXPECT_EQ(*block.GetScalarComp(), (Column{1.5e6, -2.0e6}));
  // The failed binding leaves its block behind, cleared.
  EXPECT_EQ(list.GetList().back()->GetCompCnt(), 0);
  EXPECT_EQ(list.GetTotalKeyCnt(), 2);
  EXPECT_EQ(m_vr.LoadData(nullptr, &m_param), 0);
  EXPECT_EQ(m_vr.LoadDataNU(&list, nullptr), 0);
}

TEST_F(VResultInStep, ValuesStayRawWithoutAWayToTheFileUnitsOrACurrentSystem) {
  TVResParam noCtrl{nullptr, &m_db};
  const std::function<int(CPostPartialDList&)> loads[] = {
      [&](CPostPartialDList& l) { return m_vr.LoadDataNU(&l, &m_param); },
      [&](CPostPartialDList& l) { return m_vr.LoadData(&l, &noCtrl); },
      [&](CPostPartialDList& l) {
        m_vr.SetPOHSession(nullptr);
        return m_vr.LoadData(&l, &m_param);
      },
      [&](CPostPartialDList& l) {
        m_ctrl.ResetCurUnitSystem();
        return m_vr.LoadData(&l, &m_param);
      }};
  for (const auto& load : loads) {
    CPostPartialDList list;
    EXPECT_EQ(load(list), 1);
    EXPECT_EQ(*list.GetList().front()->GetScalarComp(), (Column{1.5, -2.0}));
  }
}

TEST_F(VResultInStep, PrincipalDirectionCosinesKeepTheirValues) {
  m_vr.SetAMTType(pvk::AMT_PRINCIPAL_3D);
  CPostPartialDList list;
  ASSERT_EQ(m_vr.LoadData(&list, &m_param), 1);
  for (std::int32_t i = 0; i < 12; ++i)
    EXPECT_EQ((*list.GetList().front()->GetComp(i))[0], i % 4 == 0 ? 1.5e6 : 1.5) << i;
}

TEST_F(VResultInStep, KeysAndKeyIteratorsOfAllBindings) {
  IDs keys{9};
  EXPECT_EQ(m_vr.LoadKey(&keys, &m_param), 3);
  EXPECT_EQ(keys, (IDs{7, 3, 5}));
  zar::MArray<std::uint64_t> itrs{1};
  EXPECT_EQ(m_vr.LoadKeyItr(&itrs, &m_param), 1);  // node 5 is not in the model
  EXPECT_EQ(itrs, (zar::MArray<std::uint64_t>{m_db.GetNodeTable()->FindByID(7),
                                              m_db.GetNodeTable()->FindByID(3)}));
  TVResParam noLink{&m_ctrl, nullptr};
  EXPECT_EQ(m_vr.LoadKeyItr(&itrs, &noLink), 0);
  EXPECT_TRUE(itrs.empty());
  m_vr.SetLocType(pvk::LOC_FACET);
  itrs = {1};
  EXPECT_EQ(m_vr.LoadKeyItr(&itrs, &m_param), 0);
  EXPECT_TRUE(itrs.empty());
}

TEST_F(VResultInStep, ParentWalksStopAtMissingOrRemovedLinks) {
  using Ids = std::vector<std::uint64_t>;
  EXPECT_EQ((Ids{m_vr.GetPOHVcas(), m_vr.GetPOHScas(), m_vr.GetPOHBcas(), m_vr.GetPOHMcas()}),
            (Ids{m_vcas, m_scas, m_scas, m_mcas}));
  m_vr.SetPOHSession(nullptr);
  EXPECT_EQ(m_vr.GetPOHScas() + m_vr.GetPOHMcas(), 0u);
  m_vr.SetPOHSession(&m_session);
  m_session.GetPOHPool(1)->Remove(m_scas);
  EXPECT_EQ(m_vr.GetPOHScas() + m_vr.GetPOHMcas(), 0u);
  m_vr.SetParent(0);
  EXPECT_EQ(m_vr.GetPOHVcas() + m_vr.GetPOHScas(), 0u);
}

TEST_F(VResultInStep, DataInfoAndFlagsComeFromLiveComponentsOnly) {
  std::vector<pvk::TVResDInfo> infos;
  m_vr.GetDataInfo(infos);
  EXPECT_TRUE(infos.empty());
  EXPECT_EQ(m_vr.IsLineRes(), 0);
  m_otherValues.m_info = pvk::TVResDInfo{{1, 0, 1}};
  m_vr.GetDataInfo(infos);
  EXPECT_EQ(infos, (std::vector<pvk::TVResDInfo>{{{1, 0, 1}}}));
  EXPECT_EQ(m_vr.IsLineRes(), 1);

  auto* pComp = static_cast<CPostUnitModelResultDComp*>(m_dsets.front()->GetDComp(7207));
  pComp->SetNeedNodeLocalCycs(1);
  EXPECT_EQ(m_vr.NeedNodeLocalCycs(), 1);
  // Components removed from their data sets are destroyed and never reached again.
  for (CPostDSet* pDSet : m_dsets) pDSet->RemoveDComp(CTestVonMises::kId);
  EXPECT_EQ(m_vr.NeedNodeLocalCycs(), 0);
  EXPECT_EQ(m_vr.IsLineRes(), 0);
  m_vr.GetDataInfo(infos);
  EXPECT_TRUE(infos.empty());
}

}  // namespace
}  // namespace vrtest
