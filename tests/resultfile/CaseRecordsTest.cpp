#include <gtest/gtest.h>

#include <clocale>
#include <string_view>

#include "PZARTestFile.h"
#include "ScannedFile.h"
#include "TestRecords.h"
#include "base/BufferedFile.h"
#include "base/ScratchFolder.h"
#include "resultfile/PZARFile.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/PZARRecordCaseInfo.h"
#include "resultfile/records/PZARRecordMarker150.h"
#include "resultfile/records/PZARRecordNodeElemIDList.h"
#include "resultfile/records/PZARRecordOutputSet.h"
#include "resultfile/records/PZARRecordSolverInfo.h"

using namespace PZAR_RECORD_TYPE;

namespace {

const std::string kMarker = "\x1b|0|0|1|\x1b";

PZARBody SetBody(double value, const std::string& title, int width = 8) {
  return PZARBody().Real(value, width).Int(4).Text(title, 80).Int(0);
}

PZARBody SolverBody(std::int32_t encoding, std::int32_t length, std::int32_t force,
                    std::int32_t energy, std::int32_t time) {
  PZARBody body;
  body.Text("MySolver", 29).Text("20260101", 8).Text("12:00", 5);
  return body.Ints({encoding, 0, length, force, energy, time});
}

using CaseRecords = ScannedFile;

TEST_F(CaseRecords, OutputSetTitleTakesTheSetValueAtTheMarker) {
  const struct {
    std::string stored;
    double value;
    int width;
    std::wstring title;
  } cases[] = {
      {"Step (" + kMarker + "rest", 0.5, 8, L"Step (5.000e-01)"},
      {"A" + kMarker + "B" + kMarker, -1250.0, 4, L"A-1.250e+03)"},
      {"Plain title", 2.0, 8, L"Plain title"},
      {std::string(80, 'x'), 0.0, 8, std::wstring(80, L'x')},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(Scan(PZARTestFile(130, c.width == 4 ? "NE" : "DBL")
                       .Record(OUTPUT_SET, 0, SetBody(c.value, c.stored, c.width))
                       .End()),
              1);
    const auto& set = At<CPZARRecordOutputSet>(0);
    EXPECT_EQ(std::wstring(set.GetTitle()), c.title);
    EXPECT_DOUBLE_EQ(set.GetSetValue(), c.value);
    EXPECT_EQ(set.GetAnalType(), 4);
  }
}

TEST_F(CaseRecords, SolverInfoDecodesUnitsAndSetsTheCodePageOfLaterTexts) {
  ASSERT_EQ(Scan(PZARTestFile(140)
                     .OffsetTable(0, 0)
                     .Record(OUTPUT_SET, 0, SetBody(1, "before"))
                     .Record(SOLVER_INFO, 0, SolverBody(1, 0, 1, 2, 3))
                     .Record(OUTPUT_SET, 0, SetBody(1, "\xC3\xA9t\xC3\xA9"))
                     .End()),
            1);
  const auto& info = At<CPZARRecordSolverInfo>(1);
  EXPECT_EQ(std::wstring(info.GetSolverName()), L"MySolver");
  EXPECT_EQ(info.GetEncodingCodePage(), 65001);
  EXPECT_EQ(info.GetSolverTime().GetTime(), 0);
  EXPECT_EQ(info.GetUnitIndex(), (zar::lib::T_UNIT_INDEX{0, 0, 0, 2, 1}));
  EXPECT_EQ(m_file.GetEncodingCodePage(), 65001);
  EXPECT_EQ(std::wstring(At<CPZARRecordOutputSet>(2).GetTitle()), L"\u00e9t\u00e9");
}

// Stored unit codes: 0 and 1 read as index 0, v as v - 1; an index outside its kind's table
// refuses the record (its body fits, so the scan goes on and its encoding is not taken).
TEST_F(CaseRecords, SolverInfoRefusesUnitCodesOutsideTheUnitTables) {
  const struct {
    std::int32_t length, force, energy, time;
    bool refused;
    zar::lib::T_UNIT_INDEX index;  // force, length, temperature, time, energy
  } rows[] = {
      {0, 1, 0, 1, false, {0, 0, 0, 0, 0}},
      {5, 6, 5, 3, false, {5, 4, 0, 2, 4}},
      {6, 0, 0, 0, true, {}},
      {0, 7, 0, 0, true, {}},
      {0, 0, 6, 0, true, {}},
      {0, 0, 0, 4, true, {}},
      {0, 0, 0, INT32_MIN, true, {}},  // found by fuzzing: decoding it subtracted 1 from INT_MIN
      {-1, 0, 0, 0, true, {}},
      {INT32_MAX, 0, 0, 0, true, {}},
  };
  for (const auto& r : rows) {
    ASSERT_EQ(Scan(PZARTestFile(130)
                       .Record(SOLVER_INFO, 0, SolverBody(1, r.length, r.force, r.energy, r.time))
                       .Record(CASE_INFO, 0, PZARBody().Int(1).Text("t", 80))
                       .End()),
              1);
    ASSERT_EQ(m_file.GetRecordList().size(), r.refused ? 1u : 2u) << r.length << " " << r.time;
    EXPECT_EQ(m_file.GetEncodingCodePage(), r.refused ? 0 : 65001);
    if (r.refused) {
      EXPECT_EQ(
          FormatScanReason(m_file.GetScanReasons().at(0)),
          CString(L"record 100 (solver information) id 0 at byte 8: its content is refused: a "
                  L"unit code lies outside the unit tables"));
    } else {
      EXPECT_EQ(At<CPZARRecordSolverInfo>(0).GetUnitIndex(), r.index);
    }
  }
}

// Echo text is in the system code page whatever the process locale: a Korean case title
// echoes as itself under the C locale.
TEST_F(CaseRecords, EchoesFrameTheirFields) {
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  std::setlocale(LC_ALL, "C");
  ASSERT_EQ(
      Scan(PZARTestFile(150)
               .Record(CASE_INFO, 0, PZARBody().Int(1).Text("Load \xED\x95\x98\xEC\xA4\x91", 80))
               .Record(OUTPUT_SET, 0, SetBody(0.25, "Step"))
               .Record(SOLVER_INFO, 0, SolverBody(1, 3, 4, 0, 2))
               .Record(SUBCASE, 0, PZARBody().Int(0).Int(0))
               .Record(RESULT_TYPE, 0)
               .End()),
      1);
  ASSERT_EQ(m_file.GetRecordList().size(), 5u);
  const std::wstring expected[] = {
      kEchoSep + L"CASE INFO : Load \uD558\uC911\n" + kEchoSep + L"\n\n",
      kEchoSep + L"OUTPUT SET  : Step\n" + kEchoSep + L"m_rSetValue : 0.25\n\n\n",
      kEchoSep + L"Solver Info (MySolver)\nEncoding Type: 1\nLength: 2\nForce: 3\nEnergy: 0\n" +
          L"Time: 1\n" + kEchoSep + L"\n\n",
      kEchoSep + L"END OF SUBCASE POSITION                     \n" + kEchoSep + L"\n\n",
      kEchoSep + L"RESULT TYPE                                 \n" + kEchoSep + L"\n\n",
  };
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(EchoOf(*m_file.GetRecordList()[i]), expected[i]) << i;
  }
  std::setlocale(LC_ALL, previous.c_str());
}

// Joins by appending: GCC 12 at -O3 warns falsely about string operator+.
std::string Join(std::initializer_list<std::string_view> parts) {
  std::string s;
  for (const auto part : parts) s.append(part);
  return s;
}

class PZARRecordText : public ::testing::Test {
protected:
  // Opens a file holding the bytes, with the record attached to a result file of the code page.
  CFile& Open(const std::string& bytes, std::int32_t codePage = 0) {
    PZARTestFile content;
    content.Raw(bytes.data(), bytes.size());
    content.Save(m_dir.Narrow("t.bin"));
    m_owner.SetEncodingCodePage(codePage);
    m_record.SetFile(&m_owner);
    EXPECT_TRUE(m_file.Open(m_dir.Wide("t.bin"), CFile::modeRead));
    m_file.Seek(8, CFile::begin);  // past the header the builder writes
    return m_file;
  }

  ScratchFolder m_dir;
  CPZARFile m_owner;
  CBufferedFile m_file;
  pzar_test::CSkipRecord m_record;
};

// A field is read whole up to its first NUL; of an over-long one 127 bytes are kept and the
// rest is passed over.
TEST_F(PZARRecordText, ReadsFieldsToTheFirstNulAndPassesOverTheRest) {
  const std::string full = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012";
  ASSERT_EQ(full.size(), 29u);
  CFile& file = Open(
      Join({full, std::string_view("Short\0\0\0\0\0tail", 14), std::string(200, 'a'), "next"}));
  CString text;
  m_record.ReadString(file, 29, text);
  EXPECT_EQ(text, CString(L"ABCDEFGHIJKLMNOPQRSTUVWXYZ012"));
  m_record.ReadString(file, 14, text);
  EXPECT_EQ(text, CString(L"Short"));
  m_record.ReadString(file, 200, text);
  EXPECT_EQ(text, CString(std::wstring(127, L'a')));
  m_record.ReadString(file, 4, text);
  EXPECT_EQ(text, CString(L"next"));
}

// Texts convert from the file's code page, or from UTF-8 without one.
TEST_F(PZARRecordText, ConvertsFromTheFileCodePageOrFromUtf8) {
  const std::string utf8 = "\xED\x95\x9C";  // U+D55C in UTF-8
  CFile& file = Open(Join({utf8, utf8}), 65001);
  CString text, ansi;
  m_record.ReadString(file, 3, text);
  m_owner.SetEncodingCodePage(0);
  m_record.ReadStringToANSI(file, 3, ansi);
  EXPECT_EQ(std::pair(text, ansi), std::pair(CString(L"\xD55C"), CString(L"\xD55C")));
}

}  // namespace
