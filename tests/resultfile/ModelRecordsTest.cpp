#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "ScannedFile.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/PZARRecordBlocks150.h"

namespace {

using namespace PZAR_RECORD_TYPE;
using TIntArray = zar::MArray<int>;

using ModelRecords = ScannedFile;

// A node block: key, count, ids, then x, y, z per node in the given real width.
void NodeBlock(PZARBody& b, std::int32_t key, std::int32_t firstId, std::int32_t count, int width) {
  b.Int(key).Int(count);
  for (std::int32_t i = 0; i < count; ++i) b.Int(firstId + i);
  for (std::int32_t i = 0; i < 3 * count; ++i) b.Real(firstId + 0.5 * i, width);
}

// An element entry: id, type code, 20 node slots with `nodes` of them used.
void ElemEntry(PZARBody& b, std::int32_t id, std::int32_t type, std::int32_t nodes) {
  b.Int(id).Int(type);
  for (std::int32_t i = 0; i < 20; ++i) b.Int(i < nodes ? id * 100 + i : 0);
}

TEST_F(ModelRecords, NodesAreReadBackInKeyOrderInTheFileRealWidth) {
  for (const auto& [tag, width] : {std::pair{"NE", 4}, std::pair{"DBL", 8}}) {
    PZARBody b;
    NodeBlock(b, 7, 100, 1, width);
    NodeBlock(b, 3, 10, 2, width);
    NodeBlock(b, 7, 500, 1, width);  // a later block of a known key is passed over
    ASSERT_EQ(Scan(PZARTestFile(150, tag).Record(NODE, 3, b).End()), 1) << tag;
    auto& nodes = At<CPZARRecordNode_150>(0);
    EXPECT_EQ(nodes.GetBlockMap().size(), 2u);
    TIntArray ids;
    zar::MArray<zar::MVector<double, 3>> pos;
    ASSERT_EQ(nodes.GetNodeData(ids, pos), 1);
    EXPECT_EQ(ids, (TIntArray{10, 11, 100}));
    ASSERT_EQ(pos.size(), 3u);
    EXPECT_EQ(pos[1], (zar::MVector<double, 3>{{11.5, 12, 12.5}})) << tag;
    EXPECT_EQ(pos[2], (zar::MVector<double, 3>{{100, 100.5, 101}})) << tag;
  }
}

TEST_F(ModelRecords, ElementsGiveIdsTypesNodeCountsAndNodes) {
  PZARBody b;
  b.Int(1).Int(2);
  ElemEntry(b, 1, 14, 8);
  ElemEntry(b, 2, 4, 3);
  b.Int(2).Int(0);  // an empty block
  ASSERT_EQ(Scan(PZARTestFile(150).Record(ELEMENT, 2, b).End()), 1);
  auto& elems = At<CPZARRecordElement_150>(0);
  TIntArray ids, types, counts, nodes;
  ASSERT_EQ(elems.GetElemData(ids, types, counts, nodes), 1);
  EXPECT_EQ(ids, (TIntArray{1, 2}));
  EXPECT_EQ(types, (TIntArray{14, 4}));
  EXPECT_EQ(counts, (TIntArray{8, 3}));
  EXPECT_EQ(nodes, (TIntArray{100, 101, 102, 103, 104, 105, 106, 107, 200, 201, 202}));
  // A type code outside the element type table fails the read, not the scan.
  PZARBody bad;
  ElemEntry(bad.Int(1).Int(1), 1, 16, 0);
  ASSERT_EQ(Scan(PZARTestFile(150).Record(ELEMENT, 1, bad).End()), 1);
  EXPECT_EQ(At<CPZARRecordElement_150>(0).GetElemData(ids, types, counts, nodes), 0);
}

TEST_F(ModelRecords, BlocksRunningPastTheEndFailTheScan) {
  PZARBody shortNodes;
  NodeBlock(shortNodes, 1, 1, 2, 8);
  std::vector<char> cut = shortNodes;
  cut.resize(cut.size() - 16);
  const struct {
    std::int32_t type, id;
    std::vector<char> body;
  } cases[] = {
      {NODE, 1, cut},
      {NODE, 1, PZARBody().Int(1).Int(0x7fffffff)},
      {NODE, 5, PZARBody().Int(1).Int(0)},  // fewer blocks than the header says
      {ELEMENT, 1, PZARBody().Int(1).Int(1).Int(1).Int(14)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Scan(PZARTestFile(150).Record(c.type, c.id, c.body).End()), 0) << c.type << c.id;
    EXPECT_EQ(m_file.GetRecord(c.type), nullptr) << c.type << " " << c.id;
    EXPECT_EQ(m_file.GetScanReasons().at(0).eKind, EPZARScanReason::BODY_DOES_NOT_FIT) << c.type;
  }
}

}  // namespace
