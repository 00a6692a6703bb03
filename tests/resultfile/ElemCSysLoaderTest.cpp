#include <gtest/gtest.h>

#include "ScannedFile.h"
#include "resultfile/PZARElemCSysLoader.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/PZARRecordElemCsys.h"
#include "resultfile/records/PZARRecordNodeElemIDList.h"
#include "session/MemModelDB.h"

using namespace PZAR_RECORD_TYPE;

namespace {

PZARBody Ids(const std::vector<std::int32_t>& ids) {
  PZARBody body;
  for (std::int32_t id : ids) body.Int(id);
  return body;
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
                     .Record(ELEM_ID_LIST, 3, Ids({10, 11, 12}))
                     .Record(ELEM_CSYS, 3, Systems({1, 2, 3}))
                     .Record(ELEM_ID_LIST, 3, Ids({12, 13, 20}))
                     .Record(ELEM_CSYS, 3, Systems({4, 5, 6}))
                     .Record(ELEM_CSYS, 2, Systems({7, 8}))
                     .End()),
            1);
  CPZARElemCSysLoader loader;
  auto& first = At<CPZARRecordElemIDList>(0);
  auto& second = At<CPZARRecordElemIDList>(2);
  ASSERT_EQ(loader.AddLoader(&first, &At<CPZARRecordElemCsys>(1)), 1);
  ASSERT_EQ(loader.AddLoader(&second, &At<CPZARRecordElemCsys>(3)), 1);
  ASSERT_EQ(loader.AddLoader(&second, &At<CPZARRecordElemCsys>(4)), 1);  // counts differ
  EXPECT_EQ(loader.AddLoader(nullptr, &At<CPZARRecordElemCsys>(1)), 0);
  ASSERT_EQ(loader.GetEntries().size(), 3u);
  EXPECT_EQ(loader.GetEntries()[1].nMinID, 12);
  EXPECT_EQ(loader.GetEntries()[1].nMaxID, 20);
  EXPECT_EQ(loader.GetDataCount(), 8);

  const struct {
    std::vector<std::int32_t> ids;
    std::vector<double> axisX;  // 1 is also the default axes' x
  } cases[] = {
      {{13, 10, 12, 99, 5}, {5, 1, 3, 1, 1}},  // the first entry holding 12 gives its system
      {{20, 20}, {6, 6}},
      {{1, 2}, {1, 1}},
  };
  for (const auto& c : cases) {
    zar::MArray<std::int32_t> ids = c.ids;
    zar::MArray<pvk::TElemOutCsys_d> out;
    ASSERT_EQ(loader.LoadData(out, nullptr, &ids), 1);
    EXPECT_EQ(AxisXs(out), c.axisX);
  }
  zar::MArray<std::int32_t> ids = {99};
  zar::MArray<pvk::TElemOutCsys_d> out;
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
