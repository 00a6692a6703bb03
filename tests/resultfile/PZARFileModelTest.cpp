#include <gtest/gtest.h>

#include "ScannedFile.h"
#include "resultfile/PZARFileModel.h"
#include "resultfile/PZARModelWriter150.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/PZARRecordBlocks150.h"
#include "session/MemModelDB.h"
#include "support/ResultFileBuilder.h"

namespace {

using namespace PZAR_RECORD_TYPE;
using TIntArray = zar::MArray<int>;
using pzar_writer::TElemBlock;
using pzar_writer::TElemEntry;
using pzar_writer::TNodeBlock;

class PZARFileModel : public ScannedFile, public ::testing::WithParamInterface<std::int32_t> {
protected:
  // Writes a format-150 file of the given real width and scans it.
  bool WriteAndScan(const zar::MArray<TNodeBlock>& nodes, const zar::MArray<TElemBlock>& elems) {
    {
      CResultFileBuilder file(m_dir.Wide("m.tkvp"), 150, GetParam());
      file.Solver(L"S");
      if (!nodes.empty() && !pzar_writer::WriteNodeRecord(file.Writer(), nodes)) return false;
      if (!elems.empty() && !pzar_writer::WriteElementRecord(file.Writer(), elems)) return false;
      if (!file.Finish()) return false;
    }
    return m_file.Scan(m_dir.Wide("m.tkvp")) == 1;
  }
  const TMemDBElem* Elem(std::int32_t id) const {
    return m_db.GetElement(m_db.GetElementTable()->FindByID(id));
  }

  CMemModelDB m_db;
};

TEST_P(PZARFileModel, FillsNodesAndElementsFromTheFileRecords) {
  const TNodeBlock first{
      .nKey = 1, .aIDs = {10, 11, 12}, .aXYZ = {{{0.5, 1, -2}}, {{3, 4, 5.25}}, {{6, 7, 8}}}};
  // Node 10 again in a second block: the first coordinates stay.
  const TNodeBlock second{.nKey = 2, .aIDs = {13, 10}, .aXYZ = {{{9, 9, 9}}, {{-1, -1, -1}}}};
  const TElemEntry quad{.nID = 1, .nType = 6, .aNodes = {10, 11, 12, 13}};
  const TElemEntry tri{.nID = 2, .nType = 4, .aNodes = {11, 12, 13}};
  const TElemEntry repeated{.nID = 1, .nType = 4, .aNodes = {10, 11, 12}};
  const TElemEntry dangling{.nID = 3, .nType = 4, .aNodes = {10, 11, 99}};
  ASSERT_TRUE(
      WriteAndScan({first, second}, {{.nKey = 1, .aElems = {quad, tri, repeated, dangling}}}));

  EXPECT_EQ(pzar_model::FillModelDBFromFile(m_file, m_db), 4 + 2);
  EXPECT_EQ(m_db.GetNodeTable()->GetCount(), 4);
  EXPECT_EQ(m_db.GetElementTable()->GetCount(), 2);
  const TMemDBNode* pNode = m_db.GetNode(m_db.GetNodeTable()->FindByID(11));
  ASSERT_NE(pNode, nullptr);
  const double tolerance = GetParam() == 4 ? 1e-6 : 0.0;
  EXPECT_NEAR(pNode->m_vPos[2], 5.25, tolerance);
  EXPECT_NEAR(m_db.GetNode(m_db.GetNodeTable()->FindByID(10))->m_vPos[0], 0.5, tolerance);

  const struct {
    std::int32_t id;
    std::int32_t type;
    zar::MArray<std::int32_t> nodes;
  } expected[] = {{1, 6, {10, 11, 12, 13}}, {2, 4, {11, 12, 13}}};
  for (const auto& e : expected) {
    const std::uint64_t itr = m_db.GetElementTable()->FindByID(e.id);
    const TMemDBElem* pElem = Elem(e.id);
    ASSERT_NE(pElem, nullptr) << e.id;
    EXPECT_EQ(m_db.GetElemType(itr), e.type);
    ASSERT_EQ(m_db.GetElemTypeInfo(itr)->m_nNodeCnt, static_cast<std::int32_t>(e.nodes.size()));
    EXPECT_TRUE(std::equal(e.nodes.begin(), e.nodes.end(), pElem->m_aNodeID.begin())) << e.id;
  }
  EXPECT_EQ(Elem(3), nullptr);
  // A file without node records adds nothing, though the model has the nodes.
  CMemModelDB nodesOnly;
  for (const std::int32_t id : {11, 12, 13}) nodesOnly.AddNode(id, 0, 0, 0);
  ASSERT_TRUE(WriteAndScan({}, {{.nKey = 1, .aElems = {tri}}}));
  EXPECT_EQ(pzar_model::FillModelDBFromFile(m_file, nodesOnly), 0);
  EXPECT_EQ(nodesOnly.GetElementTable()->GetCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(RealWidth, PZARFileModel, ::testing::Values(4, 8));

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
