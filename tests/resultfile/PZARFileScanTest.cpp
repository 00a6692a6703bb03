#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <list>
#include <random>

#include "ScannedFile.h"
#include "TestRecords.h"
#include "base/TestEnv.h"
#include "support/MsgCapture.h"

using namespace pzar_test;

namespace {

std::vector<char> Body(std::size_t n, char fill = 'x') { return std::vector<char>(n, fill); }

using PZARFileScan = ScannedFile;

TEST_F(PZARFileScan, KeepsRecordsInFileOrderAndReportsTheBlockScan) {
  CMsgCapture messages;
  EXPECT_EQ(Scan(PZARTestFile(130)
                     .Record(kBody16Type, 1, Body(16, 'a'))
                     .Record(kSkipType, 3, Body(3))
                     .Record(kBody16Type, 2, Body(16, 'b'))
                     .End()),
            1);
  EXPECT_EQ(KeptTypes(), (std::vector<std::int32_t>{kBody16Type, kSkipType, kBody16Type}));
  EXPECT_EQ(std::string(At<CBody16Record>(2).Body(), 16), std::string(16, 'b'));
  EXPECT_EQ(At<CBody16Record>(2).GetFile(), &m_file);
  EXPECT_EQ(messages.m_texts,
            (std::vector<CString>{L"******************File Block Scan Start******************",
                                  L"******************File Block Scan End******************"}));
  // The first record of a type is found; both list forms hold every record in file order.
  EXPECT_EQ(m_file.GetRecord(kBody16Type)->GetHeader().id, 1);
  EXPECT_EQ(m_file.GetRecord(kFailType), nullptr);
  std::list<CPZARRecord*> list;
  m_file.GetRecordList(list);
  zar::MTArray<IPostRecord*> array;
  m_file.GetRecordList(array);
  ASSERT_EQ(list.size(), 3u);
  ASSERT_EQ(array.size(), 3u);
  EXPECT_EQ(list.back(), &At<CPZARRecord>(2));
  EXPECT_EQ(array[1], &At<CPZARRecord>(1));
}

TEST_F(PZARFileScan, PrecisionTagChoosesTheRealWidthAndFormat140SkipsTheOffsetTable) {
  const std::pair<const char*, std::int32_t> cases[] = {{"NE", 4},  {"ne", 4},  {"NEX", 4},
                                                        {"DBL", 8}, {"XNE", 8}, {"", 8}};
  for (const auto& [tag, width] : cases) {
    Scan(PZARTestFile(130, tag).Record(kSkipType, 0).End());
    EXPECT_EQ(m_file.GetFloatSize(), width) << tag;
  }
  // The table holds what would be an unknown record header if it were not skipped.
  PZARTestFile ok(140);
  ok.Int(3).Record(99999, 0).Raw("0123456789abcdef", 16).Record(kSkipType, 0).End();
  EXPECT_EQ(Scan(ok), 1);
  EXPECT_EQ(KeptTypes(), std::vector<std::int32_t>{kSkipType});
  EXPECT_TRUE(m_file.GetScanReasons().empty());
}

// Each refusal and each record that the scan passes over has its reason, the first one as
// given here; all of them reach the message output as information. A body that does not fit
// ends the scan at its record: what follows its start is not read as headers.
TEST_F(PZARFileScan, RefusedFilesAndDroppedRecordsSayWhy) {
  const auto F = [](std::int32_t version) { return PZARTestFile(version); };
  const auto Table = [](std::int32_t count) { return PZARTestFile(140).OffsetTable(count, 0); };
  struct TRow {
    int result;
    std::vector<std::int32_t> kept;
    std::wstring reason;  // the beginning of the first reason
    PZARTestFile content;
    std::size_t length;
  };
  const auto Row = [](int result, std::vector<std::int32_t> kept, std::wstring reason,
                      PZARTestFile content, std::size_t length = std::string::npos) {
    return TRow{result, std::move(kept), std::move(reason), std::move(content), length};
  };
  const TRow rows[] = {
      Row(0, {}, L"no file header: needs 8 bytes, 3 left", F(130).Record(kSkipType, 0).End(), 3),
      Row(0, {}, L"format version 160 is not supported", F(160).Record(kSkipType, 0).End()),
      Row(0, {}, L"format version 120 is not supported", F(120).Record(kSkipType, 0).End()),
      Row(0, {}, L"offset table at byte 8: needs 8,004 bytes, 12 left", Table(1000).End()),
      Row(0, {}, L"offset table at byte 8: needs 17,179,869,180 bytes, 12 left",
          Table(INT32_MAX).End()),
      Row(0, {}, L"offset table at byte 8: count -1 is negative", Table(-1).End()),
      Row(0, {}, L"no records", F(130).End()),
      Row(0, {}, L"record header at byte 8: needs 8 bytes, 0 left", F(130)),
      Row(0, {kSkipType}, L"record type 424242 at byte 16 is unknown in format 130",
          F(130).Record(kSkipType, 0).Record(424242, 0).End()),
      // A node-id list that claims 2^31 - 1 ids: its body was read as the next headers.
      Row(0, {},
          L"record 1 (node-id list) id 2147483647 at byte 8: body needs 8,589,934,588 bytes, 24 "
          L"left",
          F(130).Record(1, INT32_MAX, Body(16)).End()),
      Row(0, {},
          L"record 15 (concurrent nodal output vector) id 202 at byte 12: a count of its body is "
          L"negative or too large",
          Table(0).Record(15, 202, VectorBody({.m_nMinID = -1})).End()),
      Row(1, {kSkipType},
          L"record 9001 id 2147483647 at byte 16: body needs 2,147,483,647 bytes, 8 left",
          F(130).Record(kSkipType, 0).Record(kSkipType, INT32_MAX).End()),
      // Back onto its own header: read again, it would repeat for ever.
      Row(1, {kSkipType}, L"record 9001 id -8 at byte 16: its body ends before it starts",
          F(130).Record(kSkipType, 0).Record(kSkipType, -8).End()),
      Row(0, {}, L"read error: ", F(130).Record(kSkipType, INT32_MIN).End()),
      // Refused for their content, with their bodies in place: the scan goes on.
      Row(1, {kSkipType},
          L"record 1 (node-id list) id 0 at byte 8: its content is refused: its id count is below "
          L"1",
          F(130).Record(1, 0).Record(kSkipType, 0).End()),
      Row(1, {kSkipType}, L"record 9002 id 0 at byte 8: its content is refused",
          F(130)
              .Record(kFailType, 0, Body(4))
              .Record(kSkipType, 0)
              .Record(kFailType, 0, Body(4))
              .End()),
      Row(1, {kSkipType},
          L"record 9003 id 1 at byte 16: the file ends with it, without an end marker",
          F(130).Record(kSkipType, 0).Record(kBody16Type, 1, Body(16))),
  };
  for (const auto& row : rows) {
    CMsgCapture messages(zar::lib::EMsgLevel::Info);
    EXPECT_EQ(Scan(row.content, row.length), row.result) << row.reason;
    EXPECT_EQ(KeptTypes(), row.kept) << row.reason;
    const auto& reasons = m_file.GetScanReasons();
    ASSERT_FALSE(reasons.empty()) << row.reason;
    EXPECT_EQ(FormatScanReason(reasons[0]).str().substr(0, row.reason.size()), row.reason);
    ASSERT_EQ(messages.m_texts.size(), reasons.size()) << row.reason;
    for (std::size_t i = 0; i < reasons.size(); ++i)
      EXPECT_EQ(messages.m_texts[i], FormatScanReason(reasons[i]) + L"\n");
  }
  EXPECT_EQ(m_file.Scan(m_dir.Wide("missing.pzar")), 0);
  EXPECT_EQ(FormatScanReason(m_file.GetScanReasons().at(0)),
            CString(L"the file cannot be opened for reading"));
}

TEST_F(PZARFileScan, RandomGarbageScansSoundly) {
  std::mt19937 rng(12345);
  const std::int32_t types[] = {kSkipType, kFailType, kBody16Type, 1, 2, 13, 14, 100, -1, 77};
  for (int round = 0; round < 300; ++round) {
    PZARTestFile content(round % 3 == 1 ? 140 : 130);
    if (round % 3 == 1) content.Int(static_cast<std::int32_t>(rng() % 4));
    const int records = static_cast<int>(rng() % 20);
    for (int i = 0; i < records; ++i) {
      const std::int32_t type = types[rng() % std::size(types)];
      const std::int32_t id = static_cast<std::int32_t>(rng() % 64) - 24 +
                              (rng() % 8 == 0 ? static_cast<std::int32_t>(rng()) : 0);
      content.Record(type, id);
      for (std::uint32_t n = rng() % 40; n > 0; --n) content.Raw("\xA5", 1);
    }
    const int result = Scan(content);
    EXPECT_TRUE(result == 0 || !m_file.GetRecordList().empty());  // no records: refused
    EXPECT_LE(m_file.GetRecordList().size(), static_cast<std::size_t>(records));
  }
  for (int round = 0; round < 100; ++round) {
    PZARTestFile content(130);
    for (int i = 0; i < 64; ++i) content.Int(static_cast<std::int32_t>(rng()));
    EXPECT_EQ(Scan(content), 0);
  }
}

TEST_F(PZARFileScan, EchoFileOnlyWithBatchOutputAndReleasingTheFile) {
  const PZARTestFile content =
      PZARTestFile(130).Record(kSkipType, 2, Body(2)).Record(kFailType, 0, Body(4)).End();
  const std::string echo = m_dir.Narrow("r.pzar.ech");
  zar::lib::SetTestEnvValue(L"Batch Output", L"NO");
  ASSERT_EQ(Scan(content), 1);
  EXPECT_FALSE(std::filesystem::exists(echo));

  zar::lib::SetTestEnvValue(L"Batch Output", L"\"yes\"");
  ASSERT_EQ(Scan(content), 1);
  zar::lib::ClearTestEnvValue(L"Batch Output");
  std::stringstream text;
  text << std::ifstream(echo).rdbuf();
  EXPECT_EQ(text.str(), "RECORD 9001 : 2\n");
  // The file owns its element output vectors; clearing and deleting release the file.
  ASSERT_EQ(Scan(content), 1);
  CPZARElemOutVector* first = m_file.AddElemOutVector();
  CPZARElemOutVector* second = m_file.AddElemOutVector();
  EXPECT_EQ(m_file.RemoveElemOutVector(first), 1);
  EXPECT_EQ(m_file.RemoveElemOutVector(first), 0);
  CPZARElemOutVector foreign;
  EXPECT_EQ(m_file.RemoveElemOutVector(&foreign), 0);
  ASSERT_EQ(m_file.GetElemOutVectorList().size(), 1u);
  EXPECT_EQ(m_file.GetElemOutVectorList()[0].get(), second);
  m_file.Clear();
  EXPECT_TRUE(m_file.GetRecordList().empty());
  EXPECT_TRUE(m_file.GetElemOutVectorList().empty());
  EXPECT_FALSE(m_file.GetFile().IsOpen());

  ASSERT_EQ(Scan(content), 1);
  EXPECT_EQ(m_file.DeleteFileW(), 1);
  EXPECT_FALSE(std::filesystem::exists(m_dir.Narrow("r.pzar")));
  EXPECT_TRUE(m_file.GetRecordList().empty());
  EXPECT_EQ(m_file.DeleteFileW(), 0);
}

}  // namespace
