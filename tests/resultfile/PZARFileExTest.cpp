#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "PZARTestFile.h"
#include "TestRecords.h"
#include "base/ConvertString.h"
#include "base/ScratchFolder.h"
#include "base/TestEnv.h"
#include "resultfile/PZARFileEx.h"
#include "resultfile/ReactionOutScan.h"
#include "resultfile/records/PZARRecordReaction.h"
#include "support/MsgCapture.h"
#include "support/ReactionRows.h"

namespace {

using CReaction = CPZARRecordReaction_None;

const std::string kTitle =
    "R E S U L T A N T   R E A C T I O N   F O R C E   O N   G E O M E T R Y";
const std::string kHeader =
    "       ID      TYPE                   COORDINATE                                         "
    "REACTION FORCE                                     REACTION MOMENT";

class PZARFileExScan : public ::testing::Test {
protected:
  // Writes the text output beside the result file "r.pzar", which need not exist.
  int Scan(const std::string& text) {
    std::ofstream(m_dir.Narrow("r.out"), std::ios::binary) << text;
    return m_file.Scan(m_dir.Wide("r.pzar"));
  }
  const CReaction& At(std::size_t i) const {
    return dynamic_cast<const CReaction&>(*m_file.GetRecordEx().at(i));
  }
  std::vector<std::int32_t> RowIds(std::size_t i) const {
    std::vector<std::int32_t> ids;
    for (const auto& entry : At(i).GetEntries()) ids.push_back(entry.nID);
    return ids;
  }

  ScratchFolder m_dir;
  CPZARFileEx m_file;
};

TEST_F(PZARFileExScan, EveryTableWithRowsGivesEightComponentRecords) {
  CMsgCapture messages;
  // CRLF endings, a rule under the header, a table ended by the next "SUBCASE" line, the title
  // after the tables and no final newline.
  const int result = Scan("preamble\r\nSUBCASE : Load A : Step 1\r\n" + kHeader +
                          "\r\n ------ ------\r\n"
                          " 1000000012 surf 1 2 3 3 4 12 1 2 2\r\n 5 Curve 0 0 0 1 0 0 0 0 0\r\n"
                          "SUBCASE : Load B\n" +
                          kHeader + "\n 8 POINT 1 1 1 0 0 1 0 0 0\n   " + kTitle + "  ");
  EXPECT_EQ(result, 0);  // there is no result file
  EXPECT_EQ(m_file.IsValidEx(), 1);
  ASSERT_EQ(m_file.GetRecordEx().size(), 16u);
  for (std::size_t i = 0; i < 16; ++i) {
    EXPECT_EQ(At(i).GetHeader().id, 481 + static_cast<std::int32_t>(i % 8));
    EXPECT_EQ(At(i).GetSubCase(), CString(i < 8 ? L"Load A" : L"Load B"));
    EXPECT_EQ(At(i).GetVCase(), CString(i < 8 ? L"Step 1" : L"Load B"));
    EXPECT_EQ(RowIds(i), (i < 8 ? std::vector<std::int32_t>{12, 5} : std::vector<std::int32_t>{8}));
  }
  EXPECT_EQ(At(0).GetEntries()[0].rValue, 13.0);
  EXPECT_EQ(
      (std::vector<std::int32_t>{At(0).GetEntries()[0].nGeomType, At(3).GetEntries()[1].nGeomType,
                                 At(15).GetEntries()[0].nGeomType}),
      (std::vector<std::int32_t>{TZARReactionD::GEOM_SURF, TZARReactionD::GEOM_CURVE,
                                 TZARReactionD::GEOM_POINT}));
  ASSERT_FALSE(messages.m_texts.empty());
  EXPECT_EQ(messages.m_texts[0],
            CString(L"******************File Block Scan End******************"));
}

TEST_F(PZARFileExScan, NoRecordsWithoutTitleOrRows) {
  const std::string block = "SUBCASE : A : B\n" + kHeader + "\n 1 SURF 0 0 0 1 1 1 0 0 0\n";
  const std::string cases[] = {
      "",
      block,                                                     // no title
      kTitle + "\n",                                             // no table
      kTitle + "\nSUBCASE : A\nSUBCASE : B\n" + kHeader + "\n",  // no header, then no rows
      kTitle + "\nSUBCASE : A\n" + kHeader + "\n\n 1 SURF 0 0 0 1 1 1 0 0 0\n",  // after the end
      kTitle + "\nSUBCASE : A\n" + kHeader + "\n ---- rule only\n garbage 1 2\n",
  };
  for (const std::string& text : cases) {
    Scan(text);
    EXPECT_EQ(m_file.IsValidEx(), 0) << text;
    EXPECT_TRUE(m_file.GetRecordEx().empty()) << text;
  }
  // Neither a missing text output nor a FIFO in its place (which would block a reader) is read.
  std::filesystem::remove(m_dir.Narrow("r.out"));
  EXPECT_EQ(m_file.Scan(m_dir.Wide("r.pzar")), 0);
  ASSERT_EQ(::mkfifo(m_dir.Narrow("r.out").c_str(), 0600), 0);
  EXPECT_EQ(m_file.Scan(m_dir.Wide("r.pzar")), 0);
  EXPECT_EQ(m_file.IsValidEx(), 0);
}

TEST_F(PZARFileExScan, LinesOfAnyLengthAndEitherEncodingAreRead) {
  const std::string longName(5000, 'n');
  const std::string korean949 = "\xC7\xCF\xC1\xDF";           // two Hangul syllables, CP949
  const std::string koreanUtf8 = "\xED\x95\x98\xEC\xA4\x91";  // the same two in UTF-8
  const std::string overlong(pzar_reaction::CTextLineReader::kMaxLineBytes + 10, 'x');
  Scan(kTitle + "\n" + overlong + "\nSUBCASE : " + longName + " : " + korean949 + "\n" + kHeader +
       "\n 1 SURF\n" + overlong + "\n 2 SURF\n\nSUBCASE : " + koreanUtf8 + "\n" + kHeader +
       "\n 3 SURF");
  ASSERT_EQ(m_file.GetRecordEx().size(), 16u);
  EXPECT_EQ(At(0).GetSubCase(), CString(std::wstring(longName.begin(), longName.end())));
  EXPECT_EQ(At(0).GetVCase(), zar::lib::MConvertString::ToWide(korean949, 0));
  EXPECT_EQ(RowIds(0), (std::vector<std::int32_t>{1, 2}));
  EXPECT_EQ(At(8).GetSubCase(), CString(L"\uD558\uC911"));
}

TEST(ReactionOutText, RowsAreReadAsFarAsTheirFieldsMatch) {
  struct Case {
    const wchar_t* line;
    bool row;
    std::int32_t id;
    std::int32_t type;
    std::vector<double> values;  // coordinates, force, moment; the rest are 0
  };
  const Case cases[] = {
      {L"12 SURF 1 2 3 4 5 6 7 8 9", true, 12, 1, {1, 2, 3, 4, 5, 6, 7, 8, 9}},
      {L"+12 point 1.5E+01 -2.5e-1", true, 12, 3, {15, -0.25}},
      {L"12", true, 12, 0, {}},
      {L"-3 EDGE 1 2", true, -3, 0, {1, 2}},
      {L"12 SURF 1 1e999 3", true, 12, 1, {1}},
      {L"12 SURF nan 1", true, 12, 1, {}},
      {L"12 SURF 1e-400 2", true, 12, 1, {0, 2}},
      {L"1000000000 SURF", true, 1000000000, 1, {}},
      {L"2147483647 SURF", true, 1147483647, 1, {}},
      {L"99999999999 SURF 1", false, 0, 0, {}},
      {L"+-5 SURF", false, 0, 0, {}},
      {L"---------", false, 0, 0, {}},
      {L"", false, 0, 0, {}},
  };
  for (const Case& c : cases) {
    TZARReactionD row;
    ASSERT_EQ(pzar_reaction::ParseRow(CString(c.line), row), c.row) << c.line;
    EXPECT_EQ(row.nID, c.id) << c.line;
    EXPECT_EQ(row.nGeomType, c.type) << c.line;
    std::vector<double> values(row.rCoord, row.rCoord + 3);
    values.insert(values.end(), row.rForce, row.rForce + 3);
    values.insert(values.end(), row.rMoment, row.rMoment + 3);
    std::vector<double> expected = c.values;
    expected.resize(9, 0.0);
    EXPECT_EQ(values, expected) << c.line;
  }
}

TEST(ReactionOutText, SubCaseLineNamesTheSubCaseAndTheStep) {
  const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*> cases[] = {
      {L"SUBCASE : A : B", L"A", L"B"},      {L"SUBCASE:A", L"A", L"A"},
      {L"SUBCASE : A : x : B ", L"A", L"B"}, {L"SUBCASE", L"", L""},
      {L"SUBCASE : : ", L"", L""},
  };
  for (const auto& [line, subCase, vCase] : cases) {
    CString s = L"old", v = L"old";
    pzar_reaction::GetSubCaseNames(CString(line), s, v);
    EXPECT_EQ(s, CString(subCase)) << line;
    EXPECT_EQ(v, CString(vCase)) << line;
  }
}

TEST_F(PZARFileExScan, BlockScanGivesTheResultEchoIsOptionalAndDeleteDropsTheTables) {
  PZARTestFile(130).Record(pzar_test::kSkipType, 0).End().Save(m_dir.Narrow("r.pzar"));
  const std::string text = kTitle + "\nSUBCASE : A : B\n" + kHeader + "\n 1 SURF 0 0 0 1 1 1\n";
  const std::string echoPath = m_dir.Narrow("r.out.ech");
  EXPECT_EQ(Scan(text), 1);
  EXPECT_FALSE(std::filesystem::exists(echoPath));
  zar::lib::SetTestEnvValue(L"Batch Output", L"\"yes\"");
  EXPECT_EQ(Scan(text), 1);
  zar::lib::ClearTestEnvValue(L"Batch Output");
  EXPECT_EQ(m_file.GetRecordEx().size(), 8u);  // the second scan replaced the first's tables
  std::ifstream echo(echoPath);
  const std::string echoText((std::istreambuf_iterator<char>(echo)), {});
  EXPECT_NE(echoText.find("REACTION COMPONENT : 481\nSUBCASE : A\nSTEP : B\nDATA COUNT : 1\n"),
            std::string::npos);
  EXPECT_NE(echoText.find("REACTION COMPONENT : 488"), std::string::npos);
  EXPECT_EQ(m_file.DeleteFileW(), 1);
  EXPECT_EQ(m_file.IsValidEx(), 0);
  EXPECT_FALSE(std::filesystem::exists(m_dir.Narrow("r.pzar")));
}

std::unique_ptr<CReaction> Record(std::int32_t component) {
  auto pRecord = std::make_unique<CReaction>();
  pRecord->SetHeader({0, component});
  pRecord->SetReaction(ReactionRows());
  return pRecord;
}

// An id outside the reaction components (480, 489) holds no rows. The face gives the rows'
// ids and coordinates.
TEST(ReactionRecord, EachComponentDeliversItsValueForEveryRowAndTheFace) {
  const std::pair<std::int32_t, std::vector<double>> cases[] = {
      {481, {13, 10}}, {482, {3, 0}}, {483, {4, -6}}, {484, {12, 8}}, {485, {3, 2}},
      {486, {1, -2}},  {487, {2, 0}}, {488, {2, 0}},  {480, {}},      {489, {}}};
  for (const auto& [component, expected] : cases) {
    auto pRecord = Record(component);
    EXPECT_EQ(pRecord->GetDataCount(), static_cast<std::int32_t>(expected.size())) << component;
    EXPECT_EQ(pRecord->SetReaction(ReactionRows()), expected.empty() ? 0 : 1) << component;
    if (expected.empty()) continue;
    // Every loading form gives the same values; the keys are the rows' entity ids.
    zar::MArray<double> all{99.0}, byItrs, withIds;
    zar::MArray<std::uint64_t> itrs{5, 6, 7};
    zar::MArray<std::int32_t> ids{1};
    EXPECT_EQ(pRecord->LoadData(all, nullptr, nullptr), 1);
    EXPECT_EQ(pRecord->LoadData(byItrs, zar::MArray<std::uint64_t>{4}, nullptr), 1);
    EXPECT_EQ(pRecord->LoadData(withIds, itrs, nullptr, &ids), 1);
    EXPECT_EQ(all, expected) << component;
    EXPECT_EQ(byItrs, expected) << component;
    EXPECT_EQ(withIds, expected) << component;
    EXPECT_TRUE(itrs.empty());
    EXPECT_EQ(ids, (zar::MArray<std::int32_t>{7, 9}));
  }
  auto pRecord = Record(CReaction::FORCE_Y);
  zar::MArray<std::int32_t> ids{3};
  zar::MArray<zar::MVector<double, 3>> points(4);
  EXPECT_EQ(pRecord->LoadFace(ids, points), 1);
  EXPECT_EQ(ids, (zar::MArray<std::int32_t>{7, 9}));
  EXPECT_EQ(points, (zar::MArray<zar::MVector<double, 3>>{{{1, 2, 3}}, {{-1, 0, 5}}}));
  EXPECT_EQ(pRecord->SetReaction({}), 1);  // replaces the earlier rows
  EXPECT_EQ(pRecord->GetDataCount(), 0);
}

}  // namespace
