#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>
#include <string>

#include "CatalogueDefRows.h"
#include "base/MessageTable.h"
#include "vresult/catalogue/VResultCatalogue.h"

namespace {

std::wstring Wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

std::string ClassName(const TDefRow& r) {
  return r.className.empty() ? "CVR_" + r.name + "_ZAR" : r.className;
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

// Number of template arguments and the argument that holds the result's own id (-1: none;
// -2: the index is given by the first argument, offset by `ownBase`).
struct TTmplShape {
  std::size_t argCount;
  int ownArg;
  int ownBase;
};
const std::map<std::string, TTmplShape> kShapes = {
    {"ScalarDirect", {1, 0, 0}},
    {"ScalarDirect_UnitEntity_CaseInfo", {1, 0, 0}},
    {"VectorComp_ZAR", {5, -2, 1}},
    {"VectorComp", {4, -2, 1}},
    {"VectorTotal", {4, 0, 0}},
    {"VectorComb", {6, 0, 0}},
    {"Comp6_ZAR", {7, -1, 0}},
    {"CNNT_StrsStrn_ZAR", {10, -3, 3}},
    {"CNNT_ForcMoment_ZAR", {10, -2, 1}},
    {"PrinVector", {14, 1, 0}},
    {"PrinVector2D", {7, -2, 1}},
    {"MaxIntensity", {1, -1, 0}},
    {"Tensor_ZAR", {6, -1, 0}},
    {"SPR_Comp_ZAR", {1, -1, 0}},
    {"SPR_Comp3_ZAR", {3, -1, 0}},
    {"SPR_Comp6_ZAR", {6, -1, 0}},
    {"SPR_Comp7_ZAR", {7, -1, 0}},
    {"Reaction_ZAR", {4, 0, 0}},
    {"Fatigue_ZAR", {7, 0, 0}},
    {"Fatigue", {1, 0, 0}},
    {"Nonlinear_ZAR", {8, -1, 0}},
    {"NoClass", {0, -1, 0}},
};

std::string OwnArg(const TDefRow& r, const TTmplShape& s) {
  if (s.ownArg >= 0) return r.args[s.ownArg];
  if (s.ownArg == -2) return r.args[s.ownBase + std::stoi(r.args[0])];
  return r.args[s.ownBase + std::stoi(r.args[2])];  // -3: output index is the third argument
}

TEST(VResultCatalogue, EveryRowKeepsTheTableInvariants) {
  std::set<std::string> classNames;
  std::int32_t previous = 0;
  for (const TDefRow& r : GetDefRows()) {
    SCOPED_TRACE(r.id);
    EXPECT_LT(previous, r.id) << "ids ascend and are unique";
    previous = r.id;
    const auto shape = kShapes.find(r.tmpl);
    ASSERT_NE(shape, kShapes.end()) << r.tmpl;
    ASSERT_EQ(r.args.size(), shape->second.argCount);
    if (shape->second.ownArg != -1) {
      EXPECT_EQ(OwnArg(r, shape->second), std::to_string(r.id));
    }
    const bool hasClass = r.tmpl != "NoClass";
    EXPECT_EQ(r.comps.empty(), !hasClass);
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

TEST(VResultCatalogue, ComponentIdsMakeTheTellingResultsAvailable) {
  // Two classes have no row: 7211 and 60280.
  EXPECT_EQ(GetVResultCatalogue().size(), 1263u);
  EXPECT_EQ(GetDefRows().size(), 1265u);
  std::map<std::string, std::set<std::int32_t>> available;  // component id -> result ids
  for (const TDefRow& r : GetDefRows()) {
    EXPECT_LE(r.comps.size(), 1u) << r.id;
    for (const std::string& comp : r.comps) available[comp].insert(r.id);
  }
  const std::map<std::string, std::set<std::int32_t>> telling = {
      {"102", {102, 103, 104}},
      {"106", {106, 107, 108}},
      {"101", {101}},
      {"109", {109}},
      {"110", {110}},
      {"7201", {7201, 7207, 7208, 7209, 7210, 7211}},
      {"9007", {9001, 9002, 9003, 9004, 9005, 9006, 9007}},
      {"311101", {311101, 311102, 311103, 311104, 311105, 311106}},
      {"60201", {60200, 60266, 60267, 60268, 60279, 60280}},
  };
  for (const auto& [comp, results] : telling) EXPECT_EQ(available[comp], results) << comp;
  EXPECT_TRUE(available["312112"].contains(312123));
}

}  // namespace
