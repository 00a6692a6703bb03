#include <gtest/gtest.h>

#include "resultfile/PZARComp.h"
#include "resultfile/PZARFileCompositeAPI.h"
#include "resultfile/PZARPCB.h"
#include "support/MsgCapture.h"

namespace {

std::int32_t Cat(std::int32_t comp) { return PZAR::GetResultCatTypeFromPZARComp(comp); }

// Table edges and single ids; then the whole table: the SPR groups of strain shear YZ and ZX,
// heat flux X and the nonlinear stresses complete their families' ranges, so that no stored SPR
// component is dropped by the import.
TEST(PZARComp, CategoryTableEdgesSingleIdsAndSize) {
  const std::pair<std::int32_t, std::int32_t> cases[] = {
      {100, 0},          {101, 1},        {111, 1},        {112, 0},        {410, 0},
      {411, 4},          {421, 4},        {1101, 70},      {1102, 0},       {1190, 70},
      {3161, 60},        {7401, 104},     {60111, 0},      {60112, 109},    {60143, 109},
      {100402, 59},      {104111, 157},   {131118, 26},    {257301, 304},   {257342, 304},
      {257343, 0},       {412107, 17},    {412172, 17},    {421191, 37},    {572101, 256},
      {572103, 256},     {572104, 0},     {0, 0},          {-101, 0},       {1000000101, 1},
      {1000572103, 256}, {1000000000, 0}, {2000000101, 0}, {51004103, 102}, {51004403, 103},
      {51004203, 0}};
  for (const auto& [comp, cat] : cases) EXPECT_EQ(Cat(comp), cat) << comp;
  int entries = 0, covered = 0;
  for (std::int32_t id = 0, previous = 0; id <= 600000; ++id) {
    const std::int32_t cat = Cat(id);
    covered += cat != 0;
    // No two entries of one category touch, so every run of one category is one entry.
    entries += cat != 0 && cat != previous;
    previous = cat;
  }
  EXPECT_EQ(entries, 204);
  EXPECT_EQ(covered, 1251);
}

TEST(PZARComp, PCBCodesSplitIntoTheirFieldsAndMapToResults) {
  using namespace PZAR_PCB;
  EXPECT_EQ(PZAR::GetResultIDFromPZARComp(51004103, 7208), 51004108);
  EXPECT_EQ(PZAR::GetResultIDFromPZARComp(51004103, 7211), 0);
  EXPECT_EQ(PZAR::GetResultIDFromPZARComp(7201, 7201), 7201);
  EXPECT_EQ(PZAR::GetResultIDFromPZARComp(41004103, 7208), 7208);
  EXPECT_EQ((std::vector<std::int32_t>{GetOutputPCB(51004103), GetPropertyPCB(51004103),
                                       GetGroupPCB(51004103), GetIdPCB(51004103)}),
            (std::vector<std::int32_t>{5, 1004, 1, 3}));
  EXPECT_EQ((std::vector<std::int32_t>{GetComponentResID(1004103), GetComponentResID(1004111),
                                       GetComponentResID(1004408), GetComponentResID(1004409)}),
            (std::vector<std::int32_t>{7203, 0, 7308, 0}));
  EXPECT_EQ(GetComponentPCBResID(1004103, 7208), 1004108);
  EXPECT_EQ(GetComponentPCBResID(1004403, 7301), 1004401);
  EXPECT_EQ(GetComponentPCBResID(1004403, 7309), 0);
  EXPECT_EQ(GetComponentPCBResID(1004403, 7208), 0);
  EXPECT_EQ(GetComponentResCatType(1004303), 0);
}

class PZARCompositeInfo : public ::testing::Test {
protected:
  int Get(std::int32_t comp, const zar::MArray<std::int32_t>& plies = {}) {
    return PZAR_Composite::GetCompositeInformation(plies, comp, m_info);
  }
  std::vector<unsigned> Info() const { return {m_info, m_info + 6}; }

  unsigned m_info[6] = {9, 9, 9, 9, 9, 9};
};

TEST_F(PZARCompositeInfo, DecodesPlyAndNonPlyComponents) {
  ASSERT_EQ(Get(10000109), 1);
  EXPECT_EQ(Info(), (std::vector<unsigned>{1, 0, 1, 1, 1, 9}));
  ASSERT_EQ(Get(120000545), 1);  // one leading digit skipped; position 45 is class 2
  EXPECT_EQ(Info(), (std::vector<unsigned>{1, 0, 2, 2, 5, 5}));
  ASSERT_EQ(Get(1220002321, {11, 22}), 1);  // ply 2, position 21 is class 4
  EXPECT_EQ(Info(), (std::vector<unsigned>{2, 22, 4, 2, 3, 1}));
  int plyId = -1;
  EXPECT_EQ(PZAR_Composite::IsComposite(m_info, plyId), 3);
  EXPECT_EQ(plyId, 22);
  const unsigned noPly[6] = {1, 0, 2, 1, 1, 0};
  const unsigned odd[6] = {1, 0, 3, 1, 1, 0};
  EXPECT_EQ(PZAR_Composite::IsComposite(noPly, plyId), 2);
  EXPECT_EQ(plyId, 0);
  EXPECT_EQ(PZAR_Composite::IsComposite(odd, plyId), 0);
  EXPECT_EQ(PZAR_Composite::GetCompositeRltCatType(1), 97);
  EXPECT_EQ(PZAR_Composite::GetCompositeRltCatType(4), 0);
}

// Malformed: a ply with position class 2; 7 digits, laminate kind 3, component 6, no ply with
// position class 1. A missing ply is reported.
TEST_F(PZARCompositeInfo, RejectsMalformedComponentsAndReportsAMissingPly) {
  EXPECT_EQ(Get(10001149, {7}), 0);
  for (const std::int32_t comp : {1000010, 30000109, 10000609, 10000129, -10000109})
    EXPECT_EQ(Get(comp), 0) << comp;
  EXPECT_EQ(Info()[0], 0u);
  CMsgCapture messages;
  EXPECT_EQ(Get(12345678), 0);
  EXPECT_EQ(Get(10003109, {1, 2}), 0);  // ply 3 of two
  ASSERT_EQ(messages.m_texts.size(), 4u);
  EXPECT_EQ(messages.m_texts[0], CString(L"PLY info not exist (solver output problem)"));
  EXPECT_EQ(messages.m_texts[1], CString(L"in PZARFileCompositeAPI at line 45\n"));
}

}  // namespace
