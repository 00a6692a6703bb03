#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "CatalogueDefRows.h"
#include "base/MessageTable.h"
#include "datastore/PostDSetEntityCaseInfo.h"
#include "datastore/PostDSetModelResult.h"
#include "vresult/CompTypeVResMapManager.h"
#include "vresult/VResultFactoryManager.h"
#include "vresult/VResult_ZAR.h"
#include "vresult/catalogue/VResultQuery_ZAR.h"

namespace {

constexpr std::int32_t kPhase = 1000000000;

// Template -> the amount type it presets and the argument positions holding component ids.
struct TTmplInfo {
  pvk::AMT_TYPE amt;
  std::set<std::size_t> idArgs;
};
const std::map<std::string, TTmplInfo> kTemplates = {
    {"ScalarDirect", {pvk::AMT_SCALAR, {0}}},
    {"ScalarDirect_UnitEntity_CaseInfo", {pvk::AMT_SCALAR, {0}}},
    {"VectorComp_ZAR", {pvk::AMT_VECTOR, {1, 2, 3}}},
    {"VectorComp", {pvk::AMT_VECTOR, {1, 2}}},
    {"VectorTotal", {pvk::AMT_VECTOR, {0, 1, 2, 3}}},
    {"VectorComb", {pvk::AMT_VECTOR, {0, 3, 4, 5}}},
    {"Comp6_ZAR", {pvk::AMT_TENSOR6, {0, 1, 2, 3, 4, 5}}},
    {"CNNT_StrsStrn_ZAR", {pvk::AMT_SCALAR, {3, 4, 5, 6, 7, 8}}},
    {"CNNT_ForcMoment_ZAR", {pvk::AMT_SCALAR, {1, 2, 3, 4, 5, 6, 7, 8}}},
    {"PrinVector", {pvk::AMT_PRINCIPAL_3D, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}}},
    {"PrinVector2D", {pvk::AMT_PRINCIPAL_2D, {1, 2, 3, 4, 5}}},
    {"MaxIntensity", {pvk::AMT_SCALAR, {0}}},
    {"Tensor_ZAR", {pvk::AMT_TENSOR, {0, 1, 2, 3, 4, 5}}},
    {"SPR_Comp_ZAR", {pvk::AMT_SPR1, {0}}},
    {"SPR_Comp3_ZAR", {pvk::AMT_SPR3, {0, 1, 2}}},
    {"SPR_Comp6_ZAR", {pvk::AMT_SPR6, {0, 1, 2, 3, 4, 5}}},
    {"SPR_Comp7_ZAR", {pvk::AMT_SPR7, {0, 1, 2, 3, 4, 5, 6}}},
    {"Reaction_ZAR", {pvk::AMT_SCALAR, {0, 1, 2, 3}}},
    {"Fatigue_ZAR", {pvk::AMT_NODAL_FATIGUE, {0, 1, 2, 3, 4, 5, 6}}},
    {"Fatigue", {pvk::AMT_SCALAR, {0}}},
    {"Nonlinear_ZAR", {pvk::AMT_NONLINEAR, {0, 1, 2, 3, 4, 5, 6, 7}}},
};

std::string ClassName(const TDefRow& row, bool twin) {
  const std::string base = row.className.empty() ? "CVR_" + row.name + "_ZAR" : row.className;
  return twin ? base + "Comp" : base;
}

// The class binds a set holding exactly its row's component ids.
bool BindsItsOwnComponents(CVResult& vr, const TDefRow& row, std::int32_t offset) {
  std::unique_ptr<CPostDSet> pSet;
  if (row.tmpl == "ScalarDirect_UnitEntity_CaseInfo")
    pSet = std::make_unique<CPostUnitEntityCaseInfoDSet>(pvk::LOC_NODE, vr.GetResCatType());
  else
    pSet = std::make_unique<CPostUnitModelResultDSet>(pvk::LOC_NODE, vr.GetResCatType());
  for (const std::size_t i : kTemplates.at(row.tmpl).idArgs)
    pSet->AddDComp(std::stoi(row.args.at(i)) + offset);
  vr.SetLocType(pvk::LOC_NODE);
  zar::MList<CPostDSet*> dsets;
  dsets.push_back(pSet.get());
  return vr.Init(dsets) == 1;
}

bool ComponentsMakeItAvailable(const TDefRow& row, std::int32_t offset) {
  const CCompTypeVResMap* pMap = CCompTypeVResMapManager::GetInstance().GetCompTypeVResMap(0);
  for (const std::string& comp : row.comps) {
    auto [first, last] = pMap->EqualRange(std::stoi(comp) + offset);
    if (std::none_of(first, last, [&](const auto& pair) { return pair.second == row.id + offset; }))
      return false;
  }
  return !row.comps.empty();
}

void ExpectPhaseAngleTexts(const CVResult& phase, const CVResult& base) {
  const CString suffix = zar::lib::MMSGFunction::GetValue(L"IDS_LEGEND_PHASE_ANGLE");
  CString quantity, component, baseQuantity, baseComponent;
  phase.GetNameForLegend(quantity, component);
  base.GetNameForLegend(baseQuantity, baseComponent);
  EXPECT_EQ(phase.GetName(), base.GetName() + suffix);
  EXPECT_EQ(phase.GetLegendName(), base.GetLegendName() + suffix);
  EXPECT_EQ(quantity + L"|" + component, baseQuantity + suffix + L"|" + baseComponent);
  EXPECT_EQ(phase.GetUnit(), 4);
  EXPECT_EQ(phase.GetResCatType(), base.GetResCatType());
}

TEST(VResultClasses, EveryGeneratedClassByIdWithItsTemplateAndCounts) {
  CVResultFactory* pFactory = CVResultFactoryManager::GetInstance().GetVResultFactory(0);
  std::set<std::string> generated;
  for (const TDefRow& row : GetDefRows()) {
    if (!kTemplates.contains(row.tmpl)) continue;
    std::unique_ptr<CVResult> base;
    for (const bool twin : {false, true}) {
      if (twin && !row.twin) continue;
      const std::int32_t offset = twin ? kPhase : 0;
      const std::int32_t id = row.id + offset;
      std::unique_ptr<CVResult> vr = pFactory->CreateVResult(id);
      ASSERT_NE(vr, nullptr) << id;
      EXPECT_EQ(vr->GetType(), id);
      EXPECT_EQ(vr->GetRuntimeClass()->m_lpszClassName, ClassName(row, twin));
      EXPECT_TRUE(vr->IsKindOf(RUNTIME_CLASS(CVResult_ZAR)));
      EXPECT_EQ(vr->GetDLoadOpt().nAMTType, kTemplates.at(row.tmpl).amt) << id;
      EXPECT_TRUE(BindsItsOwnComponents(*vr, row, offset)) << id;
      EXPECT_TRUE(ComponentsMakeItAvailable(row, offset)) << id;
      if (twin) ExpectPhaseAngleTexts(*vr, *base);
      generated.insert(row.tmpl);
      base = std::move(vr);
    }
  }
  EXPECT_EQ(generated.size(), kTemplates.size());
  // A result without a phase-angle variant has no class under its phase-angle id.
  EXPECT_EQ(pFactory->CreateVResult(kPhase + 101), nullptr);

  // The registry as a whole: every class once, the component pairs with the one pair whose
  // result has no class.
  const CCompTypeVResMap* pMap = CCompTypeVResMapManager::GetInstance().GetCompTypeVResMap(0);
  EXPECT_EQ(pFactory->GetCount(), 2375);
  EXPECT_EQ(pMap->GetCount(), 2376);
  EXPECT_EQ(pMap->EqualRange(kPhase + 7401).first->second, kPhase + 7401);
  EXPECT_EQ(pFactory->CreateVResult(kPhase + 7401), nullptr);
}

}  // namespace
