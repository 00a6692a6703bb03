#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <random>

#include "session/MemModelDB.h"

namespace {

std::int32_t RecordID(const void* rec) {
  std::int32_t id;
  std::memcpy(&id, rec, sizeof id);
  return id;
}

zar::MArray<std::int32_t> Nodes(std::int32_t n) {
  zar::MArray<std::int32_t> ids(n);
  for (std::int32_t i = 0; i < n; ++i) ids[i] = i + 1;
  return ids;
}

TEST(MemModelDB, TablesFindByIdKeyByInsertionOrderAndRecordsStartWithId) {
  CMemModelDB db;
  const IPreDBLinker& link = db;
  const std::uint64_t n7 = db.AddNode(7, 1.0, 2.0, 3.0);
  db.AddNode(3, 4.0, 5.0, 6.0);
  db.AddElement(7, 4, {7, 3, 9});  // an element id that is also a node id

  const IPreDBTable* nodes = link.GetNodeTable();
  EXPECT_EQ(nodes->GetCount(), 2);
  const std::uint64_t n3 = nodes->FindByID(3);
  ASSERT_NE(n3, 0u);
  EXPECT_EQ(RecordID(nodes->GetRecord(n3)), 3);
  EXPECT_EQ(db.GetNode(n3)->m_vPos[1], 5.0);
  EXPECT_EQ(nodes->FindByID(4), 0u);

  const IPreDBTable* elems = link.GetElementTable();
  const std::uint64_t e7 = elems->FindByID(7);
  EXPECT_EQ(RecordID(elems->GetRecord(e7)), 7);
  EXPECT_EQ(db.GetElement(e7)->m_aNodeID[1], 3);
  EXPECT_EQ(link.GetElemType(e7), 4);

  EXPECT_EQ(nodes->GetKey(n7) & IPreDBTable::N_KEY_INDEX_MASK, 0u);
  EXPECT_EQ(nodes->GetKey(n3) & IPreDBTable::N_KEY_INDEX_MASK, 1u);
  EXPECT_EQ(elems->GetKey(e7) & IPreDBTable::N_KEY_INDEX_MASK, 0u);
  EXPECT_EQ(nodes->GetKey(e7), IPreDBTable::N_NO_KEY);
  EXPECT_EQ(nodes->GetKey(0), IPreDBTable::N_NO_KEY);
}

// Rising dense ids, rising ids with gaps, then ids in any order with repeats, with
// reservations between and growth past them: the table and its walk agree with a reference.
TEST(MemModelDB, NodeTableAndItsWalkAgreeWithAReferenceWhateverTheIdOrder) {
  CMemModelDB db;
  std::map<std::int32_t, std::uint32_t> index;  // id to insertion index
  std::vector<std::uint64_t> itrs;
  const auto add = [&](std::int32_t id) {
    const std::uint64_t itr = db.AddNode(id, id, 0.0, 0.0);
    ASSERT_EQ(itr != 0, !index.contains(id)) << id;
    if (!itr) return;
    index.emplace(id, static_cast<std::uint32_t>(itrs.size()));
    itrs.push_back(itr);
  };
  for (std::int32_t id = 1; id <= 1000; ++id) add(id);
  db.Reserve(500, 0);
  for (std::int32_t i = 0; i < 600; ++i) add(2000 + 3 * i);
  std::mt19937 rng(5);
  std::uniform_int_distribution<std::int32_t> anyId(-100, 4000);
  for (int i = 0; i < 3000; ++i) add(anyId(rng));
  db.Reserve(10, 0);
  for (std::int32_t id = 10000; id < 30000; ++id) add(id);

  const IPreDBTable* nodes = db.GetNodeTable();
  ASSERT_EQ(nodes->GetCount(), static_cast<std::int32_t>(index.size()));
  for (const auto& [id, i] : index) {
    ASSERT_EQ(nodes->FindByID(id), itrs[i]) << id;
    EXPECT_EQ(nodes->GetKey(itrs[i]), i) << id;
    EXPECT_EQ(nodes->GetRecord(itrs[i]), reinterpret_cast<const void*>(itrs[i]));
    EXPECT_EQ(db.GetNode(itrs[i])->m_vPos[0], id);
  }
  for (std::int32_t id = -200; id < 31000; ++id)
    if (!index.contains(id)) {
      ASSERT_EQ(nodes->FindByID(id), 0u) << id;
    }
  EXPECT_EQ(nodes->GetKey(itrs[0] + 1), IPreDBTable::N_NO_KEY);
  // The walk gives every item once, in key order, across the chunks.
  std::size_t walked = 0;
  db.ForEachNode([&](const TMemDBNode& node) {
    ASSERT_LT(walked, itrs.size());
    EXPECT_EQ(&node, db.GetNode(itrs[walked++]));
  });
  EXPECT_EQ(walked, itrs.size());
}

TEST(MemModelDB, ElementsTakeTheNodeCountOfTheirTypeAndIdsAreUnique) {
  const std::int32_t nodeCount[16] = {0, 1, 2, 3, 3, 6, 4, 8, 4, 10, 5, 13, 6, 15, 8, 20};
  CMemModelDB db;
  for (std::int32_t type = 0; type < 16; ++type) {
    const std::uint64_t elem = db.AddElement(100 + type, type, Nodes(nodeCount[type]));
    ASSERT_NE(elem, 0u) << type;
    // The third integer of the type information is the node count.
    const auto* info = reinterpret_cast<const std::int32_t*>(db.GetElemTypeInfo(elem));
    EXPECT_EQ(info[2], nodeCount[type]) << type;
    EXPECT_EQ(db.GetElemType(elem), type);
  }
  EXPECT_EQ(db.AddElement(1, 16, Nodes(8)), 0u);
  EXPECT_EQ(db.AddElement(1, -1, Nodes(0)), 0u);
  EXPECT_EQ(db.AddElement(1, 14, Nodes(7)), 0u);
  EXPECT_EQ(db.AddElement(1, 15, Nodes(8)), 0u);
  EXPECT_NE(db.AddElement(1, 14, Nodes(8)), 0u);
  EXPECT_EQ(db.AddElement(1, 2, Nodes(2)), 0u);
  EXPECT_EQ(db.GetElementTable()->GetCount(), 17);
  EXPECT_NE(db.AddNode(5, 0, 0, 0), 0u);
  EXPECT_EQ(db.AddNode(5, 1, 1, 1), 0u);
}

TEST(MemModelDB, AnalysisItemsKeepKindCodeAtByte99LoadCasesMatchExactNamesOnly) {
  CMemModelDB db;
  const std::uint64_t a = db.AddAnalysisItem(114, L"Static");
  const std::uint64_t b = db.AddAnalysisItem(119, L"Topology");
  const IPreDBTable* table = db.GetTable(CMemModelDB::N_ANALYSIS_TABLE);
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->GetCount(), 2);
  EXPECT_EQ(static_cast<const std::uint8_t*>(table->GetRecord(a))[99], 114);
  EXPECT_EQ(static_cast<const std::uint8_t*>(table->GetRecord(b))[99], 119);
  EXPECT_EQ(table->FindByID(2), b);
  EXPECT_EQ(db.GetItemName(b), CString(L"Topology"));
  EXPECT_EQ(db.GetTable(531), nullptr);

  const std::uint64_t lc = db.AddLoadCase(L"Dead Load");
  EXPECT_EQ(db.AddLoadCase(L"Dead Load"), 0u);
  EXPECT_EQ(db.FindLoadCase(a, L"Dead Load"), lc);
  EXPECT_EQ(db.FindLoadCase(a, L"dead load"), 0u);
  EXPECT_EQ(db.FindLoadCase(a, L"Dead Load "), 0u);
  EXPECT_EQ(db.FindLoadCase(0, L"Wind"), 0u);
  // Solver answers not set are 0.
  db.SetSolverAnswer(3, 1);
  EXPECT_EQ(db.QuerySolver(3), 1);
  EXPECT_EQ(db.QuerySolver(4), 0);
  // Foreign or null iterators are answered safely.
  const std::uint64_t node = db.AddNode(1, 0, 0, 0);
  const std::uint64_t item = db.AddAnalysisItem(115, L"Modal");
  int outside = 0;
  const auto stray = reinterpret_cast<std::uint64_t>(&outside);
  for (const std::uint64_t bad : {std::uint64_t{0}, stray, node}) {
    EXPECT_EQ(db.GetElementTable()->GetRecord(bad), nullptr);
    EXPECT_EQ(db.GetElemType(bad), 0);
    EXPECT_EQ(db.GetElemTypeInfo(bad), nullptr);
    EXPECT_EQ(db.GetTable(530)->GetRecord(bad), nullptr);
    EXPECT_TRUE(db.GetItemName(bad).IsEmpty());
  }
  EXPECT_EQ(db.GetNodeTable()->GetRecord(item), nullptr);
}

}  // namespace
