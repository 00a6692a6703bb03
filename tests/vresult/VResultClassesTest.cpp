#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "CatalogueDefRows.h"
#include "base/MessageTable.h"
#include "vresult/CompTypeVResMapManager.h"
#include "vresult/VResultFactoryManager.h"
#include "vresult/VResult_ZAR.h"
#include "vresult/catalogue/VResultQuery_ZAR.h"

namespace {

constexpr std::int32_t kPhase = 1000000000;

std::string ClassName(const TDefRow& row, bool twin) {
  const std::string base = row.className.empty() ? "CVR_" + row.name + "_ZAR" : row.className;
  return twin ? base + "Comp" : base;
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
    if (!GetTemplates().contains(row.tmpl)) continue;
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
      EXPECT_EQ(vr->GetDLoadOpt().nAMTType, GetTemplates().at(row.tmpl).amt) << id;
      EXPECT_TRUE(ComponentsMakeItAvailable(row, offset)) << id;
      if (twin) ExpectPhaseAngleTexts(*vr, *base);
      generated.insert(row.tmpl);
      base = std::move(vr);
    }
  }
  EXPECT_EQ(generated.size(), GetTemplates().size());
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
