#include <gtest/gtest.h>

#include <algorithm>

#include "ScannedFile.h"
#include "TestRecords.h"
#include "resultfile/PZARElemCSysLoader.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/PZARRecordElemCsys.h"
#include "resultfile/records/PZARRecordNodeElemIDList.h"
#include "resultfile/records/PZARRecordVector.h"
#include "session/ElemTypeTable.h"
#include "session/MemModelDB.h"

using namespace PZAR_RECORD_TYPE;

namespace {

// An element vector of three values with its related component ids.
PZARBody Vector(std::int32_t direction, const std::vector<std::int32_t>& comps,
                const std::vector<double>& values) {
  TPZARResultInts ints{.m_nDataType = 1, .m_nDirection = direction};
  std::copy(comps.begin(), comps.end(), ints.m_nComponent);
  return pzar_test::VectorBody(ints, 8, values);
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

// Element k's system: axis 1 (k, 0, 0), axis 2 (0, k, 0).
PZARBody Systems(const std::vector<int>& ks) {
  PZARBody body;
  for (int k : ks) body.Real(k).Real(0).Real(0).Real(0).Real(k).Real(0);
  return body;
}

std::vector<double> AxisXs(const zar::MArray<pvk::TElemOutCsys_d>& systems) {
  std::vector<double> out;
  for (const auto& s : systems) out.push_back(s.v[0]);
  return out;
}

using ElemCSysLoader = ScannedFile;

TEST_F(ElemCSysLoader, FindsEachIdInTheEntriesWhoseRangesOverlapAndDefaultsTheRest) {
  ASSERT_EQ(Scan(PZARTestFile(130)
                     .Record(ELEM_ID_LIST, 3, PZARBody().Ints({10, 11, 12}))
                     .Record(ELEM_CSYS, 3, Systems({1, 2, 3}))
                     .Record(ELEM_ID_LIST, 3, PZARBody().Ints({12, 13, 20}))
                     .Record(ELEM_CSYS, 3, Systems({4, 5, 6}))
                     .Record(ELEM_CSYS, 2, Systems({7, 8}))
                     .End()),
            1);
  CPZARElemCSysLoader loader;
  auto& second = At<CPZARRecordElemIDList>(2);
  ASSERT_EQ(loader.AddLoader(&At<CPZARRecordElemIDList>(0), &At<CPZARRecordElemCsys>(1)), 1);
  ASSERT_EQ(loader.AddLoader(&second, &At<CPZARRecordElemCsys>(3)), 1);
  ASSERT_EQ(loader.AddLoader(&second, &At<CPZARRecordElemCsys>(4)), 1);  // counts differ
  EXPECT_EQ(loader.AddLoader(nullptr, &At<CPZARRecordElemCsys>(1)), 0);
  ASSERT_EQ(loader.GetEntries().size(), 3u);
  EXPECT_EQ((std::vector<std::int32_t>{loader.GetEntries()[1].nMinID, loader.GetEntries()[1].nMaxID,
                                       loader.GetDataCount()}),
            (std::vector<std::int32_t>{12, 20, 8}));

  // The first entry holding 12 gives its system; 1 is also the default axes' x.
  const std::pair<zar::MArray<std::int32_t>, std::vector<double>> cases[] = {
      {{13, 10, 12, 99, 5}, {5, 1, 3, 1, 1}}, {{20, 20}, {6, 6}}, {{1, 2}, {1, 1}}};
  zar::MArray<pvk::TElemOutCsys_d> out;
  for (auto [ids, axisX] : cases) {
    ASSERT_EQ(loader.LoadData(out, nullptr, &ids), 1);
    EXPECT_EQ(AxisXs(out), axisX);
  }
  zar::MArray<std::int32_t> ids = {99};
  ASSERT_EQ(loader.LoadData(out, nullptr, &ids), 1);
  EXPECT_EQ(std::vector<double>(out[0].v, out[0].v + 6), (std::vector<double>{1, 0, 0, 0, 1, 0}));
  ids.clear();  // a step without elements: nothing to load, and no failure
  EXPECT_EQ(loader.LoadData(out, nullptr, &ids), 1);
  EXPECT_TRUE(out.empty());
  EXPECT_EQ(loader.LoadData(out, nullptr, nullptr), 0);

  CMemModelDB db;
  const std::uint64_t e11 = db.AddElement(11, 2, {1, 2}), e99 = db.AddElement(99, 2, {1, 2});
  ASSERT_EQ(loader.LoadData(out, {e11, e99}, &db), 1);
  EXPECT_EQ(AxisXs(out), (std::vector<double>{2, 1}));
  EXPECT_EQ(loader.LoadData(out, {e11}, nullptr), 0);
  loader.Clear();
  EXPECT_EQ(loader.GetDataCount(), 0);
}

}  // namespace
