#include <gtest/gtest.h>

#include <filesystem>

#include "ScannedFile.h"
#include "TestRecords.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/PZARRecordConcNodalVector.h"
#include "resultfile/records/PZARRecordEntityCaseInfo.h"
#include "resultfile/records/PZARRecordNodeElemIDList.h"
#include "resultfile/records/PZARRecordVector.h"
#include "session/MemModelDB.h"

using namespace PZAR_RECORD_TYPE;
using pzar_test::VectorBody;

namespace {

PZARBody Ids(std::int32_t first, std::int32_t count, std::int32_t step = 1) {
  PZARBody body;
  for (std::int32_t i = 0; i < count; ++i) body.Int(first + i * step);
  return body;
}

PZARTestFile File(std::int32_t version, int width) {
  PZARTestFile content(version, width == 4 ? "NE" : "DBL");
  if (version == 140) content.OffsetTable(0, 0);
  return content;
}

// Values that either real width holds exactly.
std::vector<double> Ramp(std::size_t n) {
  std::vector<double> v(n);
  for (std::size_t i = 0; i < n; ++i) v[i] = static_cast<double>(i) * 0.25 - 3.25;
  return v;
}

using VectorRecords = ScannedFile;

TEST_F(VectorRecords, ValuesAndPredicatesForNodesAndElementsInBothWidths) {
  const struct {
    std::int32_t version;
    int width;
    std::int32_t dataType, direction;
    std::size_t count;  // node list 37 ids, element list 21
    int localCsys, lineElem, corner;
  } cases[] = {{140, 8, 0, 4, 37, 1, 0, 0},
               {130, 4, 0, 4, 37, 0, 0, 0},
               {140, 4, 1, 2, 21, 0, 1, 0},
               {130, 8, 2, 3, 21, 0, 1, 1},
               {140, 8, 2, 1, 21, 0, 0, 1}};
  for (const auto& c : cases) {
    const TPZARResultInts ints{
        .m_nDataType = c.dataType, .m_nComponent = {5, 0, 0, -7}, .m_nDirection = c.direction};
    const std::vector<double> values = Ramp(c.count);
    ASSERT_EQ(Scan(File(c.version, c.width)
                       .Record(NODE_ID_LIST, 37, Ids(1, 37))
                       .Record(ELEM_ID_LIST, 21, Ids(1, 21))
                       .Record(VECTOR, 101, VectorBody(ints, c.width, values))
                       .End()),
              1);
    auto& v = At<CPZARRecordVector>(2);
    EXPECT_EQ((std::vector<int>{dynamic_cast<CPZARRecordVector_140*>(&v) != nullptr,
                                v.GetDataCount(), v.NeedNodeLocalCycs(), v.IsLineElemComp(),
                                v.IsElemCornerData(), v.GetComponentRelationNo()}),
              (std::vector<int>{c.version == 140, static_cast<int>(c.count), c.localCsys,
                                c.lineElem, c.corner, 2}))
        << c.dataType << " " << c.width;
    zar::MArray<double> loaded(100, 42.0);  // a reused, larger array
    zar::MArray<std::uint64_t> itrs = {1};
    ASSERT_EQ(v.LoadData(loaded, itrs, nullptr, nullptr), 1);
    EXPECT_EQ(loaded, values) << c.dataType << " " << c.width;
    EXPECT_TRUE(itrs.empty());
  }
}

TEST_F(VectorRecords, Version140LoadsByNodeIteratorsThroughTheListInForce) {
  CMemModelDB db;
  std::uint64_t n[41] = {};
  for (std::int32_t id : {1, 2, 3, 10, 20, 30, 40}) n[id] = db.AddNode(id, 0, 0, 0);
  for (std::int32_t version : {130, 140}) {
    // Sparse ids (found by hashing), then dense ones (found by a table).
    ASSERT_EQ(Scan(File(version, 8)
                       .Record(NODE_ID_LIST, 3, Ids(10, 3, 10))
                       .Record(VECTOR, 1, VectorBody({}, 8, {1, 2, 3}))
                       .Record(NODE_ID_LIST, 3, Ids(3, 3, -1))
                       .Record(VECTOR, 1, VectorBody({}, 8, {4, 5, 6}))
                       .End()),
              1);
    auto& first = At<CPZARRecordVector>(1);
    auto& second = At<CPZARRecordVector>(3);
    zar::MArray<double> out;
    if (version == 130) {  // whatever the iterators
      ASSERT_EQ(second.LoadData(out, {n[10]}, &db), 1);
      EXPECT_EQ(out, (std::vector<double>{4, 5, 6}));
      continue;
    }
    ASSERT_EQ(first.LoadData(out, {n[30], n[10]}, &db), 1);
    EXPECT_EQ(out, (std::vector<double>{3, 1}));
    ASSERT_EQ(second.LoadData(out, {n[1], n[2], n[3], n[1]}, &db), 1);
    EXPECT_EQ(out, (std::vector<double>{6, 5, 4, 6}));
    for (std::int32_t missing : {10, 40}) {
      EXPECT_EQ(second.LoadData(out, {n[1], n[missing]}, &db), 0);
      EXPECT_TRUE(out.empty());
    }
    EXPECT_EQ(first.LoadData(out, {n[1]}, &db), 0);
    EXPECT_EQ(second.LoadData(out, {n[1]}, nullptr), 0);
  }
}

TEST_F(VectorRecords, BadCountsFailTheScanAndACutFileFailsTheLoad) {
  // Key number: 2 types x 2^30 x 3 x 3 values; sub number: 2^29 x 8 element nodes x 2 types
  // x 3 elements.
  const TPZARResultInts conc{.m_nMinID = 1 << 30};
  const TPZARResultInts caseInfo{.m_nDataType = 1, .m_nMinID = 1 << 29, .m_nMaxID = 8};
  using enum EPZARScanReason;
  const struct {
    std::int32_t type, id;
    std::vector<char> body;
    bool scans;
    EPZARScanReason reason;
  } cases[] = {
      {VECTOR, 1, VectorBody({}, 8, {1, 2, 3}), true, {}},
      {CONC_NODAL_VECTOR, 1, VectorBody(conc), false, BODY_COUNT_REFUSED},
      {ENTITY_CASE_INFO, 1, VectorBody(caseInfo), false, BODY_COUNT_REFUSED},
      {ELEM_CSYS, 0, {}, false, RECORD_REFUSED},
      {ELEM_CSYS, 2, PZARBody().Real(1).Real(0).Real(0).Real(0).Real(1).Real(0), false,
       BODY_DOES_NOT_FIT},
  };
  for (const auto& c : cases) {
    // What follows a failed record may not read as a header; the records before it stay.
    Scan(File(140, 8)
             .Record(NODE_ID_LIST, 3, Ids(1, 3))
             .Record(ELEM_ID_LIST, 3, Ids(1, 3))
             .Record(RES_ID_LIST, 2, Ids(101, 2))
             .Record(c.type, c.id, c.body)
             .End());
    EXPECT_EQ(m_file.GetRecordList().size(), c.scans ? 4u : 3u) << c.type;
    if (!c.scans) {
      EXPECT_EQ(m_file.GetScanReasons().at(0).eKind, c.reason) << c.type;
    }
  }
  // Scanned whole, then cut inside ids and values too many for the scan's buffer to hold.
  const PZARTestFile content = File(140, 4)
                                   .Record(NODE_ID_LIST, 40000, Ids(1, 40000))
                                   .Record(VECTOR, 1, VectorBody({}, 4, Ramp(40000)))
                                   .End();
  ASSERT_EQ(Scan(content), 1);
  zar::MArray<double> values = {1, 2};
  zar::MArray<std::int32_t> ids = {1};
  std::filesystem::resize_file(m_dir.Narrow("r.pzar"), content.Size() - 8 - 20);
  EXPECT_EQ(At<CPZARRecordVector>(1).LoadData(values, nullptr, nullptr), 0);
  EXPECT_TRUE(values.empty());
  EXPECT_EQ(At<CPZARRecordIDList>(0).LoadData(ids, nullptr, nullptr), 1);
  std::filesystem::resize_file(m_dir.Narrow("r.pzar"), content.Size() / 4);
  EXPECT_EQ(At<CPZARRecordIDList>(0).LoadData(ids, nullptr, nullptr), 0);
  EXPECT_TRUE(ids.empty());
}

TEST_F(VectorRecords, ConcurrentNodalVectorReadsOneResultTypePerNode) {
  const TPZARResultInts ints{
      .m_nComponent = {0, 0, 202, 0, 0, 303}, .m_nDirection = 3, .m_nMinID = 2};  // key number
  for (int width : {8, 4}) {
    PZARBody body = VectorBody(ints, width);
    // Per node, type 101 then 202, 2 x 3 values each.
    for (int node = 0; node < 3; ++node)
      for (int v = 0; v < 12; ++v) body.Real(node * 100 + v + 0.5, width);
    ASSERT_EQ(Scan(File(140, width)
                       .Record(NODE_ID_LIST, 3, Ids(7, 3))
                       .Record(RES_ID_LIST, 2, Ids(101, 2, 101))
                       .Record(CONC_NODAL_VECTOR, 202, body)
                       .End()),
              1);
    auto& conc = At<CPZARRecordConcNodalVector>(2);
    zar::MArray<std::int32_t> ids;
    zar::MArray<unsigned int> comps;
    zar::MArray<double> values;
    ASSERT_EQ(conc.LoadUnitData(202, &ids, comps, values), 1);
    std::vector<double> expected;
    for (int node = 0; node < 3; ++node)
      for (int v = 6; v < 12; ++v) expected.push_back(node * 100 + v + 0.5);
    EXPECT_EQ(values, expected);
    EXPECT_EQ(comps, (std::vector<unsigned int>{202, 303}));
    EXPECT_EQ(ids, (std::vector<std::int32_t>{7, 8, 9}));
    EXPECT_EQ(conc.LoadUnitData(101, nullptr, comps, values), 0);  // not a component
    EXPECT_EQ(conc.LoadUnitData(303, nullptr, comps, values), 0);  // not a result type
    EXPECT_TRUE(values.empty());
    EXPECT_EQ(EchoOf(conc), kEchoSep + L"Concurrent Nodal Output Vector\t\t       \n" +
                                L" Entity Count : 3 \n Data Count : 36 \n * Info * \n" +
                                L" - Direction : 3 \n - Calc warning : 0 \n - Key Number : 2 \n" +
                                L"m_nComponent : 0 0 202 0 0 303 0 0 \n" + kEchoSep);
  }
}

TEST_F(VectorRecords, EntityCaseInfoReadsPerEntityAndElementNode) {
  // Sub number 3, 2 element nodes.
  PZARBody body = VectorBody(
      {.m_nDataType = 1, .m_nComponent = {4, 2}, .m_nDirection = 2, .m_nMinID = 3, .m_nMaxID = 2});
  for (std::int32_t v = 0; v < 2 * 2 * 2 * 3; ++v) body.Int(v);
  ASSERT_EQ(Scan(File(140, 8)
                     .Record(ELEM_ID_LIST, 2, Ids(7, 2))
                     .Record(RES_ID_LIST, 2, Ids(101, 2, 101))
                     .Record(ENTITY_CASE_INFO, 0, body)
                     .End()),
            1);
  auto& info = At<CPZARRecordEntityCaseInfoD>(2);
  info.SetDataLoaderKey(&At<CPZARRecordElemIDList>(0));
  EXPECT_EQ(info.GetCaseInfo(), 4);
  zar::MArray<std::int32_t> ids;
  unsigned first = 0, second = 0, nodes = 0;
  zar::MArray<unsigned int> values;
  ASSERT_EQ(info.LoadUnitData(202, ids, first, second, nodes, values), 1);
  EXPECT_EQ(values, (std::vector<unsigned int>{3, 4, 5, 9, 10, 11, 15, 16, 17, 21, 22, 23}));
  EXPECT_EQ(ids, (std::vector<std::int32_t>{7, 8}));
  EXPECT_EQ(std::vector<unsigned>({first, second, nodes}), std::vector<unsigned>({2, 1, 2}));
  const zar::MArray<std::int32_t> keys = {202, 101};
  ASSERT_EQ(info.LoadUnitData(8, &keys, first, second, nodes, values), 1);
  EXPECT_EQ(values, (std::vector<unsigned int>{15, 16, 17, 21, 22, 23, 12, 13, 14, 18, 19, 20}));
  EXPECT_EQ(info.LoadUnitData(0, ids, first, second, nodes, values), 0);
  EXPECT_EQ(EchoOf(info), kEchoSep + L"Vehicle Loading Info (or Min/Max Loadset id) \n" +
                              L" Entity Count : 2 \n Data Count : 24 \n * Info * \n" +
                              L" - Data type : 1 \n - Output type : 0 \n" +
                              L" - Number Info : 4 2 0 0 0 0 0 0\n - Direction : 2 \n" +
                              L" - Calc warning : 0 \n - Sub Number : 3 \n" +
                              L" - Element Node Number : 2 \n" + kEchoSep);
}

TEST_F(VectorRecords, EntityCaseInfoLocationFollowsDataTypeDirectionAndNodes) {
  const struct {
    std::int32_t dataType, direction, elemNodes;
    pvk::LOC_TYPE loc;
  } cases[] = {{0, 2, 8, pvk::LOC_NODE},
               {1, 0, 8, pvk::LOC_ELEM},
               {1, 3, 3, pvk::LOC_ELEM},
               {2, 3, 4, pvk::LOC_ELEM_NODE}};
  for (const auto& c : cases) {
    const TPZARResultInts ints{
        .m_nDataType = c.dataType, .m_nDirection = c.direction, .m_nMaxID = c.elemNodes};
    ASSERT_EQ(Scan(File(140, 8).Record(ENTITY_CASE_INFO, 0, VectorBody(ints)).End()), 1);
    EXPECT_EQ(At<CPZARRecordEntityCaseInfoD>(0).GetLocType(), c.loc);
  }
}

TEST_F(VectorRecords, VectorEchoListsTheResultInformation) {
  const TPZARResultInts ints{1, 2, {0, 9}, 3, 4, 5, 6};
  ASSERT_EQ(Scan(File(130, 8)
                     .Record(ELEM_ID_LIST, 2, Ids(1, 2))
                     .Record(VECTOR, 77, VectorBody(ints, 8, {1, 2}, "Force"))
                     .End()),
            1);
  EXPECT_EQ(EchoOf(At<CPZARRecord>(1)),
            kEchoSep + L"DATA VECTOR  : Force\nCOMPONENT ID : 77\nDATA COUNT   : 2\n" + kEchoSep +
                L"m_nDataType : 1, m_nOutputType : 2, m_nDirection : 3, m_nCalcWaring : 4\n" +
                L"m_nMinID : 5, m_nMaxID : 6, m_rMinVal : -7.500000, m_rMaxVal : 9.250000 \n" +
                L"m_nComponent : 0 9 0 0 0 0 0 0 \n\n");
}

}  // namespace
