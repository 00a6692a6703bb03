#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "base/MessageTable.h"
#include "resultfile/PZARPCB.h"
#include "vresult/catalogue/VResultQuery_ZAR.h"

// Readable failure output.
inline void PrintTo(const CString& s, std::ostream* os) {
  *os << std::string(s.str().begin(), s.str().end());
}

namespace {

using zar::lib::MMSGFunction;
using Q = CVResultQuery_ZAR;

constexpr std::int32_t kPhase = 1000000000;

CString PhaseText() { return MMSGFunction::GetValue(L"IDS_LEGEND_PHASE_ANGLE"); }

struct TTelling {
  std::int32_t id;
  const wchar_t* nameKey;
  const wchar_t* legendKey;
  const wchar_t* quantity;
  const wchar_t* component;
  std::int32_t unit;
  std::int32_t category;
};

const TTelling kTelling[] = {
    {101, L"IDS_VRES_TOTAL_TRANSLATION", L"IDS_LEGEND_VRES_TOTAL_TRANSLATION", L"NODAL DISP",
     L"TOTAL", 1, 1},
    {102, L"IDS_VRES_T1_TRANSLATION", L"IDS_LEGEND_VRES_T1_TRANSLATION", L"NODAL DISP", L"T1", 1,
     1},
    {481, L"IDS_VRES_REACTION_FORCE_TOTAL", L"IDS_LEGEND_REACTION_FORCE_TOTAL", L"REACTION FORC",
     L"TOTAL", 2, 4},
    {1301, L"IDS_VR_TOTAL_NORM_CONTACT_FORC", L"IDS_LEGEND_TOTAL_NORM_CONTACT_FORC",
     L"CONTACT FORCE", L"NORMAL TOTAL", 2, 108},
    {2101, L"IDS_VRES_NODAL_DISP_CL_T1_TRANSLATION",
     L"IDS_LEGEND_VRES_NODAL_DISP_CL_T1_TRANSLATION", L"DISP CRANE LOAD", L"T1", 0, 80},
    {7207, L"IDS_VRES_STRS_VON_MISES", L"IDS_VRES_STRS_VON_MISES", L"NODAL STRS", L"VON MISES", 18,
     102},
    {9006, L"IDS_VRES_NODAL_GERBER_LIFE", L"IDS_LEGEND_VRES_NODAL_GERBER_LIFE", L"FATIGUE GERBER",
     L"LIFE CYCLE", 0, 105},
    {60166, L"IDS_VRES_STRN_VON_MISES", L"IDS_VRES_STRN_VON_MISES", L"SPR STRN", L"VON MISES", 0,
     109},
    {312107, L"IDS_VRES_SOLID_STRS_PRINCIPAL_A", L"IDS_LEGEND_VRES_SOLID_STRS_PRINCIPAL_A",
     L"SOLID STRS", L"PRINCIPAL A", 18, 22},
    {312123, L"IDS_VRES_SOLID_STRS_INTENSITY", L"IDS_LEGEND_VRES_SOLID_STRS_INTENSITY",
     L"SOLID STRS", L"STRS INTENSITY", 18, 22},
    {410406, L"IDS_VRES_SHELL_FORC_BENDING_MOMENT_XX",
     L"IDS_LEGEND_VRES_SHELL_FORC_BENDING_MOMENT_XX", L"SHELL FORC", L"MEMB.MOMENT XX", 13, 50},
    {900000000, L"IDS_VRES_GENERAL", L"IDS_LEGEND_VRES_GENERAL", L"GENERAL", L"VALUE", 0, 400},
};

TEST(VResultQuery, TellingRowsAndTheirPhaseAngleVariants) {
  for (const TTelling& t : kTelling) {
    SCOPED_TRACE(t.id);
    CString q, c;
    Q::_GetVResultNameForLegend(t.id, q, c);
    EXPECT_EQ(Q::_GetVResultName(t.id), MMSGFunction::GetValue(t.nameKey));
    EXPECT_EQ(Q::_GetVResultLegendName(t.id), MMSGFunction::GetValue(t.legendKey));
    EXPECT_EQ(q, t.quantity);
    EXPECT_EQ(c, t.component);
    EXPECT_EQ(Q::_GetVResultUnit(t.id), t.unit);
    EXPECT_EQ(Q::_GetResCatType(t.id), t.category);
    if (t.id >= kPhase) continue;
    const std::int32_t phaseId = t.id + kPhase;
    Q::_GetVResultNameForLegend(phaseId, q, c);
    EXPECT_EQ(Q::_GetVResultName(phaseId), MMSGFunction::GetValue(t.nameKey) + PhaseText());
    EXPECT_EQ(Q::_GetVResultLegendName(phaseId), MMSGFunction::GetValue(t.legendKey) + PhaseText());
    EXPECT_EQ(q, CString(t.quantity) + PhaseText());
    EXPECT_EQ(c, t.component);
    EXPECT_EQ(Q::_GetVResultUnit(phaseId), 4);
    EXPECT_EQ(Q::_GetResCatType(phaseId), t.category);
  }
  EXPECT_FALSE(PhaseText().IsEmpty());
  EXPECT_NE(PhaseText(), L"IDS_LEGEND_PHASE_ANGLE");
}

TEST(VResultQuery, UnknownIdsAnswerUnKnownTypeAndNone) {
  // 7211 and 60280 have classes but no row; 1,000,000,000 is neither a base nor a phase id.
  for (std::int32_t id : {12, 0, -1, -50000000, 7211, 60280, 909999, kPhase, 2147483647}) {
    SCOPED_TRACE(id);
    const bool phase = id > kPhase;
    CString q = L"x", c = L"y";
    Q::_GetVResultNameForLegend(id, q, c);
    EXPECT_EQ(Q::_GetVResultName(id), L"UnKnownType");
    EXPECT_EQ(Q::_GetVResultLegendName(id), L"UnKnownType");
    EXPECT_EQ(q, phase ? CString(L"NONE") + PhaseText() : CString(L"NONE"));
    EXPECT_EQ(c, L"NONE");
    EXPECT_EQ(Q::_GetVResultUnit(id), phase ? 4 : 0);
    EXPECT_EQ(Q::_GetResCatType(id), 0);
  }
}

TEST(VResultQuery, PCBIdsAnswerAsTheirComponentResult) {
  struct TCase {
    std::int32_t pcbId;
    std::int32_t baseId;  // 0: no component result
  };
  // output 5, property 1004; group 1 ids 1 to 10 are 7201 to 7210, group 4 ids 1 to 8 7301 to
  // 7308.
  const TCase cases[] = {{51004103, 7203}, {51004110, 7210}, {51004401, 7301}, {51004408, 7308},
                         {51004409, 0},    {51004111, 0},    {51004203, 0},    {59999999, 0}};
  for (const TCase& t : cases) {
    SCOPED_TRACE(t.pcbId);
    ASSERT_EQ(PZAR_PCB::GetComponentResID(t.pcbId), t.baseId);
    CString q, c, bq, bc;
    Q::_GetVResultNameForLegend(t.pcbId, q, c);
    Q::_GetVResultNameForLegend(t.baseId, bq, bc);
    EXPECT_EQ(Q::_GetVResultName(t.pcbId), Q::_GetVResultName(t.baseId));
    EXPECT_EQ(Q::_GetVResultLegendName(t.pcbId), Q::_GetVResultLegendName(t.baseId));
    EXPECT_EQ(q, bq);
    EXPECT_EQ(c, bc);
    EXPECT_EQ(Q::_GetVResultUnit(t.pcbId), Q::_GetVResultUnit(t.baseId));
    EXPECT_EQ(Q::_GetResCatType(t.pcbId), Q::_GetResCatType(t.baseId));
    if (t.baseId) {
      EXPECT_EQ(Q::_GetResCatType(t.pcbId), PZAR_PCB::GetComponentResCatType(t.pcbId));
    }
  }
}

TEST(VResultQuery, EmptyPhaseAngleTextLeavesBaseUnitsAlone) {
  const auto path = std::filesystem::temp_directory_path() / "pvk_vres_phase_override.txt";
  std::ofstream(path) << "IDS_LEGEND_PHASE_ANGLE\t\n";
  setenv("PVK_MESSAGE_FILE", path.c_str(), 1);
  MMSGFunction::ReloadOverrides();
  EXPECT_TRUE(PhaseText().IsEmpty());
  EXPECT_EQ(Q::_GetVResultUnit(102), 1);
  EXPECT_EQ(Q::_GetVResultUnit(7207), 18);
  EXPECT_EQ(Q::_GetVResultUnit(kPhase + 102), 4);
  unsetenv("PVK_MESSAGE_FILE");
  MMSGFunction::ReloadOverrides();
  std::filesystem::remove(path);
}

}  // namespace
