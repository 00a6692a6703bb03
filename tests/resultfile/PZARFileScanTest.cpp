#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <list>
#include <random>
#include <sstream>

#include "PZARTestFile.h"
#include "TestRecords.h"
#include "base/MsgOut.h"
#include "base/ScratchFolder.h"
#include "base/TestEnv.h"
#include "resultfile/PZARFile.h"

using namespace pzar_test;

namespace {

std::vector<char> Body(std::size_t n, char fill = 'x') { return std::vector<char>(n, fill); }

class PZARFileScan : public ::testing::Test {
protected:
  int Scan(const PZARTestFile& content, std::size_t length = std::string::npos) {
    content.Save(m_dir.Narrow("r.pzar"), length);
    return m_file.Scan(m_dir.Wide("r.pzar"));
  }
  std::vector<std::int32_t> KeptTypes() const {
    std::vector<std::int32_t> types;
    for (const auto& p : m_file.GetRecordList()) types.push_back(p->GetHeader().type);
    return types;
  }

  ScratchFolder m_dir;
  CPZARFile m_file;
};

TEST_F(PZARFileScan, KeepsRecordsInFileOrderAndReportsTheBlockScan) {
  std::vector<CString> messages;
  auto previous = zar::lib::SetMsgSink(
      [&](zar::lib::EMsgLevel, const CString& text) { messages.push_back(text); });
  const int result = Scan(PZARTestFile(130)
                              .Record(kBody16Type, 1, Body(16, 'a'))
                              .Record(kSkipType, 3, Body(3))
                              .Record(kBody16Type, 2, Body(16, 'b'))
                              .End());
  zar::lib::SetMsgSink(previous);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(KeptTypes(), (std::vector<std::int32_t>{kBody16Type, kSkipType, kBody16Type}));
  const auto& last = dynamic_cast<const CBody16Record&>(*m_file.GetRecordList()[2]);
  EXPECT_EQ(std::string(last.Body(), 16), std::string(16, 'b'));
  EXPECT_EQ(last.GetFile(), &m_file);
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0], CString(L"******************File Block Scan Start******************"));
  EXPECT_EQ(messages[1], CString(L"******************File Block Scan End******************"));
  EXPECT_EQ(m_file.GetVersion(), 130);
  EXPECT_TRUE(m_file.GetFile().IsOpen());
  // The first record of a type is found; both list forms hold every record in file order.
  EXPECT_EQ(m_file.GetRecord(kBody16Type)->GetHeader().id, 1);
  EXPECT_EQ(m_file.GetRecord(kFailType), nullptr);
  std::list<CPZARRecord*> list;
  m_file.GetRecordList(list);
  zar::MTArray<IPostRecord*> array;
  m_file.GetRecordList(array);
  ASSERT_EQ(list.size(), 3u);
  ASSERT_EQ(array.size(), 3u);
  EXPECT_EQ(list.back(), m_file.GetRecordList()[2].get());
  EXPECT_EQ(array[1], m_file.GetRecordList()[1].get());
}

TEST_F(PZARFileScan, PrecisionTagChoosesTheRealWidth) {
  const std::pair<const char*, std::int32_t> cases[] = {{"NE", 4},  {"ne", 4},  {"NEX", 4},
                                                        {"DBL", 8}, {"XNE", 8}, {"", 8}};
  for (const auto& [tag, width] : cases) {
    Scan(PZARTestFile(130, tag).Record(kSkipType, 0).End());
    EXPECT_EQ(m_file.GetFloatSize(), width) << tag;
  }
}

TEST_F(PZARFileScan, Format140SkipsTheOffsetTableAndBadHeadersFail) {
  // The table holds what would be an unknown record header if it were not skipped.
  PZARTestFile ok(140);
  ok.Int(3).Record(99999, 0).Raw("0123456789abcdef", 16).Record(kSkipType, 0).End();
  EXPECT_EQ(Scan(ok), 1);
  EXPECT_EQ(KeptTypes(), std::vector<std::int32_t>{kSkipType});

  for (const PZARTestFile& bad :
       {PZARTestFile(130).End(),  // no records
        PZARTestFile(120).Record(kSkipType, 0).End(), PZARTestFile(160).Record(kSkipType, 0).End(),
        PZARTestFile(140).OffsetTable(1000, 0).Record(kSkipType, 0),
        PZARTestFile(140).OffsetTable(-1, 0).Record(kSkipType, 0),
        PZARTestFile(140).OffsetTable(INT32_MAX, 0).Record(kSkipType, 0)}) {
    EXPECT_EQ(Scan(bad), 0);
    EXPECT_TRUE(m_file.GetRecordList().empty());
  }
  EXPECT_EQ(m_file.Scan(m_dir.Wide("missing.pzar")), 0);
}

TEST_F(PZARFileScan, DropsFailedRecordsAndStopsAtAnUnknownType) {
  EXPECT_EQ(Scan(PZARTestFile(130)
                     .Record(kFailType, 0, Body(4))
                     .Record(kSkipType, 0)
                     .Record(kFailType, 0, Body(4))
                     .End()),
            1);
  EXPECT_EQ(KeptTypes(), std::vector<std::int32_t>{kSkipType});

  EXPECT_EQ(Scan(PZARTestFile(130).Record(kSkipType, 0).Record(424242, 0).End()), 0);
  EXPECT_EQ(KeptTypes(), std::vector<std::int32_t>{kSkipType});
}

TEST_F(PZARFileScan, EveryTruncationKeepsExactlyTheRecordsBeforeTheCut) {
  PZARTestFile content(140);
  content.OffsetTable(2, 2);
  std::vector<std::size_t> bodyEnds;
  for (std::int32_t i = 0; i < 4; ++i) {
    content.Record(kBody16Type, i, Body(16)).Record(kSkipType, 5 + i, Body(5 + i));
    bodyEnds.push_back(content.Size() - 5 - i - 8);
    bodyEnds.push_back(content.Size());
  }
  content.End();
  for (std::size_t cut = 0; cut <= content.Size(); ++cut) {
    std::size_t expected = 0;
    for (std::size_t end : bodyEnds) expected += end < cut;
    EXPECT_EQ(Scan(content, cut), expected > 0 ? 1 : 0) << cut;
    EXPECT_EQ(m_file.GetRecordList().size(), expected) << cut;
  }
}

TEST_F(PZARFileScan, HugeOrNegativeSkipsEndTheScanWithoutLooping) {
  // Past the end: the record fails and nothing is left to read.
  EXPECT_EQ(Scan(PZARTestFile(130).Record(kSkipType, 0).Record(kSkipType, INT32_MAX).End()), 1);
  EXPECT_EQ(m_file.GetRecordList().size(), 1u);
  // Back onto its own header: read again, it would repeat for ever.
  EXPECT_EQ(Scan(PZARTestFile(130).Record(kSkipType, 0).Record(kSkipType, -8).End()), 1);
  EXPECT_EQ(m_file.GetRecordList().size(), 1u);
  // Before the start of the file.
  EXPECT_EQ(Scan(PZARTestFile(130).Record(kSkipType, INT32_MIN).End()), 0);
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
    if (m_file.GetRecordList().empty()) {
      EXPECT_EQ(result, 0);
    }
    EXPECT_LE(m_file.GetRecordList().size(), static_cast<std::size_t>(records));
  }
  for (int round = 0; round < 100; ++round) {
    PZARTestFile content(130);
    for (int i = 0; i < 64; ++i) content.Int(static_cast<std::int32_t>(rng()));
    EXPECT_EQ(Scan(content), 0);
  }
}

TEST_F(PZARFileScan, EchoFileOnlyWithBatchOutput) {
  const PZARTestFile content =
      PZARTestFile(130).Record(kSkipType, 2, Body(2)).Record(kFailType, 0, Body(4)).End();
  const std::string echo = m_dir.Narrow("r.pzar.ech");
  zar::lib::SetTestEnvValue(L"Batch Output", L"NO");
  ASSERT_EQ(Scan(content), 1);
  EXPECT_FALSE(std::filesystem::exists(echo));

  zar::lib::SetTestEnvValue(L"Batch Output", L"\"yes\"");
  ASSERT_EQ(Scan(content), 1);
  zar::lib::ClearTestEnvValue(L"Batch Output");
  std::ifstream in(echo);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), "RECORD 9001 : 2\n");
}

TEST_F(PZARFileScan, OwnsItsElementOutputVectorsAndClearAndDeleteReleaseTheFile) {
  const PZARTestFile content = PZARTestFile(130).Record(kSkipType, 0).End();
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
