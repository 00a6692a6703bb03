#include <gtest/gtest.h>

#include <algorithm>

#include "ScannedFile.h"
#include "TestRecords.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/PZARRecordNodeElemIDList.h"

using namespace PZAR_RECORD_TYPE;
using pzar_test::VectorBody;

namespace {

PZARBody Ids(const std::vector<std::int32_t>& ids) {
  PZARBody body;
  for (std::int32_t id : ids) body.Int(id);
  return body;
}

using IDListRecords = ScannedFile;

TEST_F(IDListRecords, ScanChecksTheCountAndLoadsTheIdsLater) {
  const struct {
    std::int32_t type;
    std::int32_t version;
    std::int32_t count;
    bool scans;
  } cases[] = {
      {NODE_ID_LIST, 130, 0, false},
      {ELEM_ID_LIST, 140, 0, false},
      {PLY_ID, 130, 0, false},
      {ACT_ELEM_ID_LIST, 130, 0, true},
      {DEACT_ELEM_ID_LIST, 140, 0, true},
      {ELEM_ID_LIST_ON_MCAS, 140, 0, true},
      {ACT_ELEM_ID_LIST, 130, -1, false},
      {NODE_ID_LIST, 140, 3, true},
      {ELEM_ID_LIST, 130, 3, true},
      {PLY_ID, 140, 3, true},
      {RES_ID_LIST, 140, 3, true},
      {NODE_ID_LIST, 130, 8, false},  // past the end
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

TEST_F(IDListRecords, ListsSetTheFileStateTheyCarry) {
  ASSERT_EQ(Scan(PZARTestFile(140)
                     .OffsetTable(0, 0)
                     .Record(NODE_ID_LIST, 3, Ids({1, 2, 3}))
                     .Record(ELEM_ID_LIST, 2, Ids({7, 8}))
                     .Record(RES_ID_LIST, 2, Ids({101, 201}))
                     .End()),
            1);
  EXPECT_EQ(m_file.GetCurNodeCnt(), 3);
  EXPECT_EQ(m_file.GetCurElemCnt(), 2);
  EXPECT_EQ(m_file.GetResIDs(), (std::vector<std::int32_t>{101, 201}));
  // Only the element list empties the iterators it does not use.
  zar::MArray<std::int32_t> loaded;
  zar::MArray<std::uint64_t> itrs = {1, 2};
  ASSERT_EQ(At<CPZARRecordNodeIDList>(0).LoadData(loaded, itrs, nullptr, nullptr), 1);
  EXPECT_EQ(itrs.size(), 2u);
  ASSERT_EQ(At<CPZARRecordElemIDList>(1).LoadData(loaded, itrs, nullptr, nullptr), 1);
  EXPECT_TRUE(itrs.empty());
  EXPECT_EQ(loaded, (std::vector<std::int32_t>{7, 8}));
}

TEST_F(IDListRecords, EchoesCountTheIds) {
  ASSERT_EQ(Scan(PZARTestFile(140)
                     .OffsetTable(0, 0)
                     .Record(DEACT_ELEM_ID_LIST, 2, Ids({1, 2}))
                     .Record(RES_ID_LIST, 1, Ids({101}))
                     .Record(PLY_ID, 2, Ids({3, 4}))
                     .End()),
            1);
  const std::wstring sep = L"--------------------------------------------\n";
  EXPECT_EQ(EchoOf(At<CPZARRecordIDList>(0)),
            sep + L"DeActive Element ID Size: 2\n" + sep + L"\n\n");
  EXPECT_EQ(EchoOf(At<CPZARRecordIDList>(1)), sep + L"Result type ID Size: 1\n" + sep + L"\n\n");
  EXPECT_EQ(EchoOf(At<CPZARRecordIDList>(2)), sep + L"Ply ID Count : 2 \n" + sep);
}

TEST_F(IDListRecords, NodeAndElementListsIndexTheVectorsThatFollow) {
  // Vectors numbered 1 to 6: element, corner, corner, line element, element, nodal.
  ASSERT_EQ(Scan(PZARTestFile(130)
                     .Record(NODE_ID_LIST, 1, Ids({1}))
                     .Record(ELEM_ID_LIST, 1, Ids({1}))
                     .Record(VECTOR, 100, VectorBody(1))
                     .Record(VECTOR, 5, VectorBody(2))
                     .Record(VECTOR, 5, VectorBody(2))
                     .Record(VECTOR, 5, VectorBody(1, 1))
                     .Record(VECTOR, 5, VectorBody(1))
                     .Record(VECTOR, 5, VectorBody(0))
                     .End()),
            1);
  m_file.InitAllRecordFlags();
  auto& nodes = At<CPZARRecordNodeIDList>(0);
  auto& elems = At<CPZARRecordElemIDList>(1);
  const auto vector = [this](std::size_t n) { return m_file.GetRecordList()[n + 1].get(); };
  EXPECT_EQ(nodes.GetVector(5), vector(6));
  EXPECT_EQ(nodes.AddVector(vector(6)), 0);  // the component id is taken
  EXPECT_EQ(nodes.AddVector(vector(1)), 0);  // not nodal
  EXPECT_EQ(elems.AddVector(vector(6)), 0);
  EXPECT_EQ(elems.GetVector(vector(1), 5), vector(2));
  EXPECT_EQ(elems.GetVector(vector(2), 5), vector(3));
  EXPECT_EQ(elems.GetVector(vector(3), 5), nullptr);
  EXPECT_EQ(elems.GetVector(vector(4), 5), vector(4));
  EXPECT_EQ(elems.GetVector(vector(4), 6), nullptr);
}

}  // namespace
