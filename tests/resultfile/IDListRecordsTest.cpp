#include <gtest/gtest.h>

#include <algorithm>

#include "ScannedFile.h"
#include "TestRecords.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/PZARRecordNodeElemIDList.h"
#include "resultfile/records/PZARRecordVector.h"

using namespace PZAR_RECORD_TYPE;

namespace {

PZARBody Ids(const std::vector<std::int32_t>& ids) { return PZARBody().Ints(ids); }

using IDListRecords = ScannedFile;

TEST_F(IDListRecords, ScanChecksTheCountAndLoadsTheIdsLater) {
  const struct {
    std::int32_t type;
    std::int32_t version;
    std::int32_t count;
    bool scans;
  } cases[] = {
      {NODE_ID_LIST, 130, 0, false},
      {PLY_ID, 130, 0, false},
      {ACT_ELEM_ID_LIST, 130, 0, true},
      {ELEM_ID_LIST_ON_MCAS, 140, 0, true},
      {ACT_ELEM_ID_LIST, 130, -1, false},
      {NODE_ID_LIST, 140, 3, true},
      {ELEM_ID_LIST, 130, 3, true},
      {RES_ID_LIST, 140, 3, true},
      {DEACT_ELEM_ID_LIST, 130, INT32_MAX, false},
  };
  const std::vector<std::int32_t> ids = {40, 50, 60};
  for (const auto& c : cases) {
    PZARTestFile content(c.version);
    if (c.version == 140) content.OffsetTable(0, 0);
    const auto stored = static_cast<std::size_t>(std::clamp(c.count, 0, 3));
    Scan(content.Record(c.type, c.count, Ids({ids.begin(), ids.begin() + stored})).End());
    ASSERT_EQ(m_file.GetRecordList().size(), c.scans ? 1u : 0u) << c.type << " " << c.count;
    if (!c.scans) continue;
    auto& list = At<CPZARRecordIDList>(0);
    EXPECT_EQ(list.GetType(), c.type);
    EXPECT_EQ(list.GetDataCount(), c.count);
    zar::MArray<std::int32_t> loaded = {99};
    ASSERT_EQ(list.LoadData(loaded, nullptr, nullptr), 1);
    EXPECT_EQ(loaded, std::vector<std::int32_t>(ids.begin(), ids.begin() + c.count));
  }
}

TEST_F(IDListRecords, ListsSetTheFileStateTheyCarryAndEchoTheirSize) {
  ASSERT_EQ(Scan(PZARTestFile(140)
                     .OffsetTable(0, 0)
                     .Record(NODE_ID_LIST, 3, Ids({1, 2, 3}))
                     .Record(ELEM_ID_LIST, 2, Ids({7, 8}))
                     .Record(RES_ID_LIST, 2, Ids({101, 201}))
                     .Record(DEACT_ELEM_ID_LIST, 2, Ids({1, 2}))
                     .Record(PLY_ID, 2, Ids({3, 4}))
                     .End()),
            1);
  EXPECT_EQ(m_file.GetCurNodeCnt(), 3);
  EXPECT_EQ(m_file.GetCurElemCnt(), 2);
  EXPECT_EQ(m_file.GetResIDs(), (std::vector<std::int32_t>{101, 201}));
  std::int32_t range[2] = {11, 22};
  EXPECT_EQ(m_file.GetRecordVectorIDRange(range), 0);  // no vectors
  EXPECT_EQ(range[0], 11);
  // Only the element list empties the iterators it does not use.
  zar::MArray<std::int32_t> loaded;
  zar::MArray<std::uint64_t> itrs = {1, 2};
  ASSERT_EQ(At<CPZARRecordNodeIDList>(0).LoadData(loaded, itrs, nullptr, nullptr), 1);
  EXPECT_EQ(itrs.size(), 2u);
  ASSERT_EQ(At<CPZARRecordElemIDList>(1).LoadData(loaded, itrs, nullptr, nullptr), 1);
  EXPECT_TRUE(itrs.empty());
  EXPECT_EQ(loaded, (std::vector<std::int32_t>{7, 8}));
  EXPECT_EQ(EchoOf(At<CPZARRecord>(3)),
            kEchoSep + L"DeActive Element ID Size: 2\n" + kEchoSep + L"\n\n");
  EXPECT_EQ(EchoOf(At<CPZARRecord>(4)), kEchoSep + L"Ply ID Count : 2 \n" + kEchoSep);
}

// The vectors are numbered in file order and go to the node or element list in force; an
// output set ends the lists' turn.
TEST_F(IDListRecords, NodeAndElementListsIndexTheVectorsThatFollow) {
  const auto Vector = [](std::int32_t dataType, std::int32_t direction = 0) {
    return pzar_test::VectorBody({.m_nDataType = dataType, .m_nDirection = direction}, 8, {0.5});
  };
  ASSERT_EQ(Scan(PZARTestFile(130)
                     .Record(NODE_ID_LIST, 1, Ids({1}))
                     .Record(ELEM_ID_LIST, 1, Ids({1}))
                     .Record(VECTOR, 100, Vector(1))    // 2: element
                     .Record(VECTOR, 5, Vector(2))      // 3: corner
                     .Record(VECTOR, 5, Vector(2))      // 4: corner
                     .Record(VECTOR, -3, Vector(1, 2))  // 5: line element
                     .Record(VECTOR, 5, Vector(0))      // 6: nodal
                     .Record(OUTPUT_SET, 0, PZARBody().Real(1.0).Int(0).Text("", 80).Int(0))
                     .Record(VECTOR, 12, Vector(0))
                     .Record(NODE_ID_LIST, 1, Ids({1}))
                     .Record(VECTOR, 5, Vector(0))
                     .End()),
            1);
  m_file.InitAllRecordFlags();
  const auto record = [this](std::size_t i) { return m_file.GetRecordList()[i].get(); };
  EXPECT_EQ(At<CPZARRecordVector>(2).GetVectorSeqNo(), 1);
  EXPECT_EQ(At<CPZARRecordVector>(8).GetVectorSeqNo(), 6);
  EXPECT_EQ(At<CPZARRecordVector>(10).GetVectorSeqNo(), 7);
  auto& nodes = At<CPZARRecordNodeIDList>(0);
  auto& elems = At<CPZARRecordElemIDList>(1);
  auto& secondNodes = At<CPZARRecordNodeIDList>(9);
  EXPECT_EQ(nodes.GetVector(5), record(6));
  EXPECT_EQ(nodes.GetVector(12), nullptr);
  EXPECT_EQ(nodes.AddVector(record(6)), 0);  // the component id is taken
  EXPECT_EQ(nodes.AddVector(record(2)), 0);  // not nodal
  EXPECT_EQ(elems.AddVector(record(6)), 0);
  EXPECT_EQ(secondNodes.GetVector(5), record(10));
  // Corner vectors: the next of the id after the given one; line elements: the first.
  EXPECT_EQ(elems.GetVector(record(2), 5), record(3));
  EXPECT_EQ(elems.GetVector(record(3), 5), record(4));
  EXPECT_EQ(elems.GetVector(record(4), 5), nullptr);
  EXPECT_EQ(elems.GetVector(record(5), 100), record(2));
  EXPECT_EQ(elems.GetVector(record(5), 6), nullptr);
  std::int32_t range[2] = {};
  ASSERT_EQ(m_file.GetRecordVectorIDRange(range), 1);
  EXPECT_EQ(std::vector<std::int32_t>(range, range + 2), (std::vector<std::int32_t>{-3, 100}));

  m_file.DeInitAllRecordFlags();
  EXPECT_EQ(nodes.GetVector(5), nullptr);
  EXPECT_EQ(elems.GetVector(record(5), 100), nullptr);
  EXPECT_EQ(secondNodes.GetVector(5), nullptr);
}

}  // namespace
