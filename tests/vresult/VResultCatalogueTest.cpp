#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "CatalogueDefRows.h"
#include "base/MessageTable.h"
#include "vresult/CompTypeVResMapManager.h"
#include "vresult/VResultFactoryManager.h"
#include "vresult/VResult_ZAR.h"
#include "vresult/catalogue/VResultCatalogue.h"

namespace {

std::wstring Wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

constexpr std::int32_t kPhase = 1000000000;

std::string ClassName(const TDefRow& r, bool twin = false) {
  const std::string base = r.className.empty() ? "CVR_" + r.name + "_ZAR" : r.className;
  return twin ? base + "Comp" : base;
}

bool In(std::int32_t id, std::int32_t lo, std::int32_t hi) { return id >= lo && id <= hi; }

// The legend key of a row: "IDS_LEGEND_VRES_" + NAME except for the documented groups.
std::wstring ExpectedLegendKey(const TDefRow& r) {
  const std::wstring name = Wide(r.name);
  if (In(r.id, 481, 488)) return L"IDS_LEGEND_" + name;
  if (In(r.id, 1301, 1322)) return L"IDS_LEGEND_" + name.substr(std::wstring(L"IDS_VR_").size());
  if (In(r.id, 7101, 7110) || In(r.id, 7201, 7210) || In(r.id, 7701, 7708) ||
      In(r.id, 60100, 60280))
    return r.nameKey;
  if (r.id == 7304) return L"IDS_LEGEND_VRES_GRADIENT_RESULTANT";
  if (name.starts_with(L"IDS_")) return L"IDS_LEGEND_VRES_" + name.substr(4);
  return L"IDS_LEGEND_VRES_" + name;
}

std::string OwnArg(const TDefRow& r, const TTmplInfo& t) {
  if (t.ownArg >= 0) return r.args[t.ownArg];
  return r.args[t.ownBase + std::stoi(r.args[t.ownArg == -2 ? 0 : 2])];
}

TEST(VResultCatalogue, EveryRowKeepsTheTableInvariants) {
  // Two classes have no row: 7211 and 60280.
  EXPECT_EQ(GetVResultCatalogue().size(), GetDefRows().size() - 2);
  std::set<std::string> classNames;
  std::int32_t previous = 0;
  for (const TDefRow& r : GetDefRows()) {
    SCOPED_TRACE(r.id);
    EXPECT_LT(previous, r.id) << "ids ascend and are unique";
    previous = r.id;
    const auto tmpl = GetTemplates().find(r.tmpl);
    ASSERT_NE(tmpl, GetTemplates().end()) << r.tmpl;
    if (tmpl->second.ownArg != -1) {
      EXPECT_EQ(OwnArg(r, tmpl->second), std::to_string(r.id));
    }
    const bool hasClass = r.tmpl != "NoClass";
    EXPECT_EQ(r.args.empty(), !hasClass);
    EXPECT_EQ(r.comps.empty(), !hasClass);
    EXPECT_LE(r.comps.size(), 1u);
    EXPECT_TRUE(hasClass || !r.twin);
    if (hasClass) {
      EXPECT_TRUE(classNames.insert(ClassName(r)).second) << ClassName(r);
    }

    const TVResCatalogueRow* row = FindVResultCatalogueRow(r.id);
    if (r.name.empty()) {  // a class without catalogue row
      EXPECT_EQ(row, nullptr);
      continue;
    }
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->pszNameKey, r.nameKey);
    EXPECT_TRUE(r.nameKey == L"IDS_VRES_" + Wide(r.name) ||
                (r.name.starts_with("IDS_") && r.nameKey == Wide(r.name)));
    EXPECT_EQ(r.legendKey, ExpectedLegendKey(r));
    EXPECT_NE(std::wstring(row->pszQuantity), L"");
    EXPECT_NE(std::wstring(row->pszComponent), L"");
    for (const wchar_t* key : {row->pszNameKey, row->pszLegendKey}) {
      const CString text = zar::lib::MMSGFunction::GetValue(key);
      EXPECT_FALSE(text.IsEmpty());
      EXPECT_NE(text, key) << "no registered text";
    }
  }
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
    if (row.tmpl == "NoClass") continue;
    std::unique_ptr<CVResult> base;
    for (const bool twin : {false, true}) {
      if (twin && !row.twin) continue;
      const std::int32_t offset = twin ? kPhase : 0;
      const std::int32_t id = row.id + offset;
      std::unique_ptr<CVResult> vr = pFactory->CreateVResult(id);
      ASSERT_NE(vr, nullptr) << id;
      EXPECT_EQ(vr->GetType(), id);
      const CRuntimeClass* pClass = vr->GetRuntimeClass();
      EXPECT_EQ(pClass->m_lpszClassName, ClassName(row, twin));
      EXPECT_EQ(CRuntimeClass::FromName(ClassName(row, twin).c_str()), pClass);
      EXPECT_EQ(pClass->GetBaseClass(), RUNTIME_CLASS(CVResult_ZAR));
      EXPECT_EQ(vr->GetDLoadOpt().nAMTType, GetTemplates().at(row.tmpl).amt) << id;
      EXPECT_TRUE(ComponentsMakeItAvailable(row, offset)) << id;
      if (twin) ExpectPhaseAngleTexts(*vr, *base);
      generated.insert(row.tmpl);
      base = std::move(vr);
    }
  }
  EXPECT_EQ(generated.size() + 1, GetTemplates().size());  // all but "NoClass"
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
