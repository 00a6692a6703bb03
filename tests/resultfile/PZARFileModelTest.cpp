#include <gtest/gtest.h>

#include "base/ScratchFolder.h"
#include "resultfile/PZARFile.h"
#include "resultfile/PZARFileModel.h"
#include "resultfile/PZARModelWriter150.h"
#include "session/MemModelDB.h"
#include "support/ResultFileBuilder.h"

namespace {

using pzar_writer::TElemBlock;
using pzar_writer::TElemEntry;
using pzar_writer::TNodeBlock;

class PZARFileModel : public ::testing::TestWithParam<std::int32_t> {
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

  ScratchFolder m_dir;
  CPZARFile m_file;
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
}

TEST_P(PZARFileModel, FileWithoutNodeRecordsAddsNothing) {
  const TElemEntry tri{.nID = 2, .nType = 4, .aNodes = {11, 12, 13}};
  ASSERT_TRUE(WriteAndScan({}, {{.nKey = 1, .aElems = {tri}}}));
  m_db.AddNode(11, 0, 0, 0);
  m_db.AddNode(12, 0, 0, 0);
  m_db.AddNode(13, 0, 0, 0);
  EXPECT_EQ(pzar_model::FillModelDBFromFile(m_file, m_db), 0);
  EXPECT_EQ(m_db.GetElementTable()->GetCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(RealWidth, PZARFileModel, ::testing::Values(4, 8));

}  // namespace
