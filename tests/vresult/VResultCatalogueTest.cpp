#include <gtest/gtest.h>

#include <algorithm>
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
  const std::set<std::int32_t> units = {0,  1,  2,  3,  4,  5,  6,  9,  11, 12, 13, 14,  18, 19,
                                        23, 39, 50, 55, 56, 65, 75, 78, 88, 90, 92, 100, 104};
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
    EXPECT_TRUE(units.contains(row->nUnit)) << row->nUnit;
    EXPECT_NE(std::wstring(row->pszQuantity), L"");
    EXPECT_NE(std::wstring(row->pszComponent), L"");
    for (const wchar_t* key : {row->pszNameKey, row->pszLegendKey}) {
      const CString text = zar::lib::MMSGFunction::GetValue(key);
      EXPECT_FALSE(text.IsEmpty());
      EXPECT_NE(text, key) << "no registered text";
    }
  }
}

TEST(VResultCatalogue, CountsOfRowsClassesAndTemplates) {
  EXPECT_EQ(GetVResultCatalogue().size(), 1263u);
  std::map<std::string, std::pair<int, int>> perTemplate;  // base classes, phase-angle twins
  int base = 0;
  int twins = 0;
  for (const TDefRow& r : GetDefRows()) {
    if (r.tmpl == "NoClass") continue;
    ++base;
    twins += r.twin;
    auto& [b, t] = perTemplate[r.tmpl];
    ++b;
    t += r.twin;
  }
  EXPECT_EQ(GetDefRows().size(), 1265u);  // two classes have no row: 7211 and 60280
  EXPECT_EQ(base, 1201);
  EXPECT_EQ(twins, 1174);
  // Where a class's name and the registration counts disagree, the name decides; the
  // registrations count ScalarDirect 777 + 776, VectorComp 6 + 6, VectorTotal 36 + 30,
  // CNNT_ForcMoment_ZAR 66 and PrinVector 10 classes.
  const std::map<std::string, std::pair<int, int>> expected = {
      {"ScalarDirect", {771, 770}},
      {"ScalarDirect_UnitEntity_CaseInfo", {72, 72}},
      {"VectorComp_ZAR", {96, 96}},
      {"VectorComp", {12, 12}},
      {"VectorTotal", {40, 34}},
      {"VectorComb", {15, 15}},
      {"Comp6_ZAR", {1, 0}},
      {"CNNT_StrsStrn_ZAR", {67, 67}},
      {"CNNT_ForcMoment_ZAR", {24, 24}},
      {"PrinVector", {10, 10}},
      {"PrinVector2D", {28, 28}},
      {"MaxIntensity", {9, 9}},
      {"Tensor_ZAR", {8, 8}},
      {"SPR_Comp_ZAR", {18, 12}},
      {"SPR_Comp3_ZAR", {2, 0}},
      {"SPR_Comp6_ZAR", {9, 0}},
      {"SPR_Comp7_ZAR", {2, 0}},
      {"Reaction_ZAR", {8, 8}},
      {"Fatigue_ZAR", {6, 6}},
      {"Fatigue", {2, 2}},
      {"Nonlinear_ZAR", {1, 1}},
  };
  EXPECT_EQ(perTemplate, expected);
}

TEST(VResultCatalogue, ClassColumnsOfTellingMembers) {
  struct TCase {
    std::int32_t id;
    const char* tmpl;
    std::vector<std::string> args;
    bool twin;
  };
  const TCase cases[] = {
      {1101, "ScalarDirect", {"1101"}, true},
      {2101, "ScalarDirect_UnitEntity_CaseInfo", {"2101"}, true},
      {103, "VectorComp_ZAR", {"1", "102", "103", "104", "CVResult_ZAR"}, true},
      {435102, "VectorComp", {"1", "435101", "435102", "0"}, true},
      {101, "VectorTotal", {"101", "102", "103", "104"}, false},
      {521, "VectorComb", {"521", "0", "2", "502", "503", "504"}, true},
      {7211, "Comp6_ZAR", {"7201", "7202", "7203", "7204", "7205", "7206", "CVResult_ZAR"}, false},
      {482129,
       "CNNT_StrsStrn_ZAR",
       {"0", "0", "1", "482128", "482129", "0", "0", "0", "0", "CVResult_ZAR"},
       true},
      {430404,
       "CNNT_ForcMoment_ZAR",
       {"2", "430402", "430403", "430404", "0", "0", "0", "430409", "430410", "CVResult_ZAR"},
       true},
      {312109,
       "PrinVector",
       {"1", "312109", "312107", "312127", "312130", "312133", "312109", "312128", "312131",
        "312134", "312108", "312129", "312132", "312135"},
       true},
      {482108, "PrinVector2D", {"1", "482107", "482108", "482101", "482102", "482104", "0"}, true},
      {312123, "MaxIntensity", {"312112"}, true},
      {60280, "SPR_Comp6_ZAR", {"60201", "60212", "60223", "60234", "60245", "60256"}, false},
      {60477, "SPR_Comp3_ZAR", {"60445", "60456", "60467"}, false},
      {482, "Reaction_ZAR", {"482", "482", "483", "484"}, true},
      {1172, "Fatigue", {"1172"}, true},
      {909001, "NoClass", {}, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.id);
    const auto& rows = GetDefRows();
    const auto it =
        std::find_if(rows.begin(), rows.end(), [&](const TDefRow& r) { return r.id == c.id; });
    ASSERT_NE(it, rows.end());
    EXPECT_EQ(it->tmpl, c.tmpl);
    EXPECT_EQ(it->args, c.args);
    EXPECT_EQ(it->twin, c.twin);
  }
}

TEST(VResultCatalogue, ComponentIdsMakeTheTellingResultsAvailable) {
  std::map<std::string, std::set<std::int32_t>> available;  // component id -> result ids
  for (const TDefRow& r : GetDefRows())
    for (const std::string& comp : r.comps) available[comp].insert(r.id);
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

  // One component id per class; phase-angle classes repeat the pairs shifted by 1,000,000,000.
  int pairs = 0;
  int selfIds = 0;
  int otherIds = 0;
  for (const auto& [comp, results] : available) {
    const int shifted =
        1 + static_cast<int>(
                std::count_if(GetDefRows().begin(), GetDefRows().end(), [&](const TDefRow& r) {
                  return r.twin && r.comps.front() == comp;
                }) > 0);
    const bool self = results.contains(std::stoi(comp));
    selfIds += self * shifted;
    otherIds += !self * shifted;
  }
  for (const TDefRow& r : GetDefRows()) {
    EXPECT_LE(r.comps.size(), 1u) << r.id;
    pairs += static_cast<int>(r.comps.size()) * (1 + r.twin);
  }
  EXPECT_EQ(pairs, 2375);
  EXPECT_EQ(otherIds, 31);
  // The registrations add the pair 1,000,007,401 -> 1,000,007,401 (no class) and count 2,054
  // self-mapping ids: three results the table makes available through their own component
  // are read there from a sibling's.
  EXPECT_EQ(selfIds, 2047);
}

}  // namespace
