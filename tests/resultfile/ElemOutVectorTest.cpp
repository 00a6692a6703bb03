#include <gtest/gtest.h>

#include "ScannedFile.h"
#include "TestRecords.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/PZARRecordNodeElemIDList.h"
#include "resultfile/records/PZARRecordVector.h"
#include "session/ElemTypeTable.h"
#include "session/MemModelDB.h"

using namespace PZAR_RECORD_TYPE;

namespace {

// An element vector of three values with its related component ids.
PZARBody Vector(std::int32_t direction, const std::vector<std::int32_t>& comps,
                const std::vector<double>& values) {
  return pzar_test::VectorBody(pzar_test::Ints(1, direction, comps), 8, values);
}

class ElemOutVector : public ScannedFile {
protected:
  void SetUp() override {
    ASSERT_EQ(Scan(PZARTestFile(130)
                       .Record(ELEM_ID_LIST, 3, PZARBody().Int(100).Int(101).Int(102))
                       .Record(VECTOR, 5, Vector(0, {}, {1, 10, 100}))
                       .Record(VECTOR, 6, Vector(0, {}, {3, 30, 300}))
                       .Record(VECTOR, 7, Vector(0, {}, {5, 50, 500}))
                       .Record(VECTOR, 8, Vector(3, {}, {7, 70, 700}))
                       .Record(VECTOR, 50, Vector(2, {5, 6}, {0.5, 1.5, 2.5}))
                       .Record(VECTOR, 51, Vector(2, {5, 0, 6, 7}, {0.5, 1.5, 2.5}))
                       .Record(VECTOR, 52, Vector(3, {5, 6, 9, 7, 8}, {0.5, 1.5, 2.5}))
                       .Record(VECTOR, 53, Vector(2, {9, 5, 6}, {0.5, 1.5, 2.5}))
                       .End()),
              1);
    m_file.InitAllRecordFlags();
  }
  CPZARElemOutVector& Make(std::size_t mainAt) {
    CPZARElemOutVector* p = m_file.AddElemOutVector();
    p->SetVector(&At<CPZARRecordVector>(mainAt), &At<CPZARRecordElemIDList>(0));
    return *p;
  }
};

// Component 9 has no vector: its slot stays, empty, and gives 0.
TEST_F(ElemOutVector, GathersNodeValuesAveragingMidSidesOrOneValuePerRelatedVector) {
  const struct {
    std::size_t mainAt;
    std::int32_t type;  // of element 100; element 101 is a linear line
    std::vector<double> values;
    pvk::TVResDInfo info;
  } cases[] = {
      {5, 3, {0.5, 1, 3, 2, 1.5, 10, 30}, {{0, 3, 3}}},           // quadratic line
      {6, 5, {0.5, 1, 3, 5, 2, 4, 3, 1.5, 10, 30}, {{0, 3, 4}}},  // quadratic triangle
      {6, 2, {0.5, 1, 3, 1.5, 10, 30}, {{0, 3, 4}}},              // linear line: two corners
      {7, 5, {0.5, 1, 3, 0, 5, 7, 1.5, 10, 30, 0, 50, 70}, {{1, 3, 6}}},  // one value each
      {8, 4, {0.5, 0, 1, 3, 1.5, 0, 10}, {{0, 3, 4}}},                    // node 0 has none
  };
  for (const auto& c : cases) {
    CMemModelDB db;
    const pvk::TElemTypeEntry& type = *pvk::GetElemTypeEntry(c.type);
    const std::uint64_t e100 =
        db.AddElement(100, c.type, zar::MArray<std::int32_t>(type.m_nNodeCnt, 1));
    const std::uint64_t e101 = db.AddElement(101, 2, {1, 2});
    CPZARElemOutVector& vector = Make(c.mainAt);
    EXPECT_EQ(vector.IsMultiComponent(), c.mainAt == 7);
    pvk::TVResDInfo info;
    ASSERT_EQ(vector.GetDataInfo(&info), 1);
    EXPECT_EQ(info, c.info) << c.mainAt;
    zar::MArray<std::int32_t> ids = {100, 101, 102};  // 102 is not in the model
    zar::MArray<double> out;
    zar::MArray<std::uint64_t> itrs;
    ASSERT_EQ(vector.LoadData(out, itrs, &db, &ids), 1);
    EXPECT_EQ(out, c.values) << c.mainAt << " " << c.type;
    EXPECT_EQ(itrs, (std::vector<std::uint64_t>{e100, e101}));
  }
}

TEST_F(ElemOutVector, RefusesWithoutLinkOrWithIdsNotMatchingTheValues) {
  CMemModelDB db;
  db.AddElement(100, 2, {1, 2});
  CPZARElemOutVector& vector = Make(5);
  zar::MArray<std::int32_t> ids = {100, 101};
  zar::MArray<double> out;
  EXPECT_EQ(vector.LoadData(out, &db, &ids), 0);
  ids.push_back(102);
  EXPECT_EQ(vector.LoadData(out, nullptr, &ids), 0);
  EXPECT_EQ(vector.LoadData(out, &db, nullptr), 0);
  EXPECT_EQ(vector.LoadData(out, &db, &ids), 1);
  EXPECT_EQ(m_file.RemoveElemOutVector(&vector), 1);
}

}  // namespace
