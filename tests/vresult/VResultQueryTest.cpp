#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "base/MessageTable.h"
#include "resultfile/PZARPCB.h"
#include "vresult/VResult.h"
#include "vresult/VResultFactoryManager.h"
#include "vresult/catalogue/VResultQuery_ZAR.h"

inline void PrintTo(const CString& s, std::ostream* os) {
  *os << std::string(s.str().begin(), s.str().end());
}

namespace {

using zar::lib::MMSGFunction;
using Q = CVResultQuery_ZAR;

constexpr std::int32_t kPhase = 1000000000;

CString PhaseText() { return MMSGFunction::GetValue(L"IDS_LEGEND_PHASE_ANGLE"); }

CString Join(const CString& name, const CString& legend, const CString& quantity,
             const CString& component, std::int32_t unit, std::int32_t category) {
  CString s;
  s.Format(L"%s|%s|%s|%s|%d|%d", name, legend, quantity, component, unit, category);
  return s;
}

// Every answer of the query for one id.
CString Answers(std::int32_t id) {
  CString q = L"x", c = L"y";
  Q::_GetVResultNameForLegend(id, q, c);
  return Join(Q::_GetVResultName(id), Q::_GetVResultLegendName(id), q, c, Q::_GetVResultUnit(id),
              Q::_GetResCatType(id));
}

// Phase-angle variants of known ids are checked for every class in VResultClassesTest.
TEST(VResultQuery, TellingRowsAnswerFromTheirColumns) {
  const struct {
    std::int32_t id;
    const wchar_t *nameKey, *legendKey, *quantity, *component;
    std::int32_t unit, category;
  } cases[] = {
      {101, L"IDS_VRES_TOTAL_TRANSLATION", L"IDS_LEGEND_VRES_TOTAL_TRANSLATION", L"NODAL DISP",
       L"TOTAL", 1, 1},
      {1301, L"IDS_VR_TOTAL_NORM_CONTACT_FORC", L"IDS_LEGEND_TOTAL_NORM_CONTACT_FORC",
       L"CONTACT FORCE", L"NORMAL TOTAL", 2, 108},
      {7207, L"IDS_VRES_STRS_VON_MISES", L"IDS_VRES_STRS_VON_MISES", L"NODAL STRS", L"VON MISES",
       18, 102},
      {410406, L"IDS_VRES_SHELL_FORC_BENDING_MOMENT_XX",
       L"IDS_LEGEND_VRES_SHELL_FORC_BENDING_MOMENT_XX", L"SHELL FORC", L"MEMB.MOMENT XX", 13, 50},
      {900000000, L"IDS_VRES_GENERAL", L"IDS_LEGEND_VRES_GENERAL", L"GENERAL", L"VALUE", 0, 400},
  };
  for (const auto& t : cases)
    EXPECT_EQ(Answers(t.id),
              Join(MMSGFunction::GetValue(t.nameKey), MMSGFunction::GetValue(t.legendKey),
                   t.quantity, t.component, t.unit, t.category));
  EXPECT_FALSE(PhaseText().IsEmpty());
  EXPECT_NE(PhaseText(), L"IDS_LEGEND_PHASE_ANGLE");
}

TEST(VResultQuery, UnknownIdsAnswerUnKnownTypeAndNone) {
  // 7211 and 60280 have classes but no row; 1,000,000,000 is neither a base nor a phase id.
  for (std::int32_t id : {12, 0, -1, -50000000, 7211, 60280, 909999, kPhase, 2147483647}) {
    const bool phase = id > kPhase;
    EXPECT_EQ(Answers(id), Join(L"UnKnownType", L"UnKnownType",
                                phase ? CString(L"NONE") + PhaseText() : CString(L"NONE"), L"NONE",
                                phase ? 4 : 0, 0))
        << id;
  }
}

TEST(VResultQuery, PCBIdsAnswerAsTheirComponentResult) {
  // Output 5, property 1004; group 1 ids 1 to 10 are 7201 to 7210, group 4 ids 1 to 8 are
  // 7301 to 7308; 0: no component result.
  const std::pair<std::int32_t, std::int32_t> cases[] = {
      {51004103, 7203}, {51004110, 7210}, {51004401, 7301}, {51004408, 7308},
      {51004409, 0},    {51004111, 0},    {51004203, 0},    {59999999, 0}};
  for (const auto& [pcbId, baseId] : cases) {
    ASSERT_EQ(PZAR_PCB::GetComponentResID(pcbId), baseId);
    EXPECT_EQ(Answers(pcbId), Answers(baseId)) << pcbId;
    if (baseId) {
      EXPECT_EQ(Q::_GetResCatType(pcbId), PZAR_PCB::GetComponentResCatType(pcbId));
    }
  }
}

// Name and legend texts of the catalogue keys are alike unless overridden.
TEST(VResultQuery, OverriddenTextsReachTheAnswersAndAnEmptyPhaseTextLeavesUnitsAlone) {
  const auto path = std::filesystem::temp_directory_path() / "pvk_vres_phase_override.txt";
  std::ofstream(path) << "IDS_LEGEND_PHASE_ANGLE\t\nIDS_LEGEND_VRES_T1_TRANSLATION\tT1 legend\n";
  setenv("PVK_MESSAGE_FILE", path.c_str(), 1);
  MMSGFunction::ReloadOverrides();
  EXPECT_TRUE(PhaseText().IsEmpty());
  EXPECT_EQ(Q::_GetVResultUnit(102), 1);
  EXPECT_EQ(Q::_GetVResultUnit(7207), 18);
  EXPECT_EQ(Q::_GetVResultUnit(kPhase + 102), 4);
  const auto vr = CVResultFactoryManager::GetInstance().GetVResultFactory(0)->CreateVResult(102);
  EXPECT_EQ(vr->GetLegendName() + L"|" + vr->GetName(), L"T1 legend|T1 Translation");
  unsetenv("PVK_MESSAGE_FILE");
  MMSGFunction::ReloadOverrides();
  std::filesystem::remove(path);
}

}  // namespace
