#include <gtest/gtest.h>

#include <array>

#include "ScannedFile.h"
#include "ibm/MPURecords.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/PZARRecordIBMGridInfo.h"

namespace {

using namespace PZAR_RECORD_TYPE;
using TVec3 = std::array<double, 3>;

PZARBody GridBody(std::int32_t order, std::int32_t n) {
  PZARBody b;
  b.Int(3).Int(order).Int(101).Int(n).Int(n).Int(n);
  for (const double v : {0, -1, 2, 4, 1, 6}) b.Real(v);
  return b;
}

// A count of n and `values` values after the stress range pairs.
PZARBody FatMatBody(std::int32_t n, std::int32_t values) {
  PZARBody b;
  b.Int(9).Int(n);
  for (int i = 1; i <= 6; ++i) b.Real(i);
  for (int i = 1; i <= values; ++i) b.Real(10 * i);
  return b;
}

PZARBody MatlBody(std::int32_t numTable, std::vector<double> table) {
  PZARBody b;
  b.Int(7).Real(2e5).Real(0.3).Int(1).Int(2).Int(3).Real(0.5).Int(4).Real(250).Real(0).Real(0.2);
  b.Int(numTable);
  for (const double v : table) b.Real(v);
  return b;
}

using IBMRecords = ScannedFile;

// Round trips are WrittenFile's; here the grid frame that is computed from the fields.
TEST_F(IBMRecords, GridGivesItsFrameAndSize) {
  ASSERT_EQ(Scan(PZARTestFile().Record(IBM_GRID_INFO, 1, GridBody(1, 5)).End()), 1);
  auto& grid = At<CPZARRecordIBMGridInfo>(0);
  TMPUBndrD d;
  grid.GetData(&d);
  EXPECT_EQ(d.m_nAlign, 1);
  EXPECT_EQ(d.m_nNidStart, 101);
  EXPECT_EQ(d.m_aExtent, (TVec3{4, 2, 4}));
  EXPECT_EQ(d.m_aStep[1], (TVec3{0, 0.5, 0}));
  // A global grid's body ends after MAXIMUM: the end marker above read as one.
  EXPECT_EQ(EchoOf(grid), kEchoSep + L"GRID INFO FOR IMPLICIT BOUNDARY METHOD\t  \n" + kEchoSep +
                              L"PART_ID : 3\nELEM_ORDER : 1\nNID_START : 101\n"
                              L"NUMBER  :        5,        5,        5\n"
                              L"MINIMUM :        0,       -1,        2\n"
                              L"MAXIMUM :        4,        1,        6\n\n\n");

  PZARBody local = GridBody(2, 3);
  for (const double v : {1, 2, 3, 1, 0, 0, 2, 0, 5}) local.Real(v);  // origin, z, xz
  ASSERT_EQ(Scan(PZARTestFile().Record(IBM_GRID_INFO, 2, local).End()), 1);
  At<CPZARRecordIBMGridInfo>(0).GetData(&d);
  EXPECT_EQ(d.m_nAlign, 0);
  EXPECT_EQ(d.m_aOrigin2, (TVec3{1, 2, 3}));
  // Rows: local x (the xz vector made normal to z), local y, local z.
  const std::array<TVec3, 3> rot{{{0, 0, 1}, {0, -1, 0}, {1, 0, 0}}};
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(d.m_aRot[r][c], rot[r][c], 1e-12) << r << c;

  struct Case {
    std::int32_t order, n, nodes, cells;
    int sized;
  };
  // Counts that are negative or whose product leaves 32 bits give nothing.
  for (const Case c :
       {Case{1, 5, 125, 64, 1}, Case{2, 5, 125, 8, 1}, Case{3, 5, 125, 8, 1}, Case{1, 1, 1, 0, 1},
        Case{1, 0, 0, 0, 1}, Case{1, 1290, 2146689000, 2141700569, 1}, Case{1, 1291, 0, 0, 0},
        Case{2, -3, 0, 0, 0}}) {
    ASSERT_EQ(Scan(PZARTestFile().Record(IBM_GRID_INFO, 1, GridBody(c.order, c.n)).End()), 1);
    std::int32_t nodes = -1;
    std::int32_t cells = -1;
    EXPECT_EQ(At<CPZARRecordIBMGridInfo>(0).GetNodeElemSize(nodes, cells), c.sized) << c.n;
    EXPECT_EQ(nodes, c.nodes) << c.order << " " << c.n;
    EXPECT_EQ(cells, c.cells) << c.order << " " << c.n;
  }
}

// The echoes show the fields in the order the file holds them.
TEST_F(IBMRecords, EchoesListTheFieldsInFileOrder) {
  PZARBody local = GridBody(2, 3);
  for (const double v : {1, 2, 3, 1, 0, 0, 2, 0, 5}) local.Real(v);
  const struct {
    std::int32_t type, id;
    std::vector<char> body;
    std::wstring part;
  } cases[] = {
      {IBM_GRID_INFO, 2, local,
       L"LOCAL ORIGIN :        1,        2,        3\nLOCAL Z      :        1,        0,        0\n"
       L"LOCAL XZ     :        2,        0,        5\n\n\n"},
      {IBM_GRID_MATL, 0, MatlBody(3, {250, 300, 320}),
       L"NumTable\t:     3\n(    0) TableX, TableY :        0,      250\n"
       L"(    1) TableX, TableY :      0.1,      300\n"},
      {IBM_FATIGUE, 0, PZARBody().Int(3).Int(4).Int(1).Int(11).Int(12).Int(13).Real(1e7).Real(2e5),
       L"PartID\t\t: 3\nMatID\t\t\t: 4\nSequivalent\t: 1\nMSCType\t\t: 11, 12, 13\n"
       L"InfiniteLife\t:    1e+07\nTotalCycle\t:   200000\n"},
      // Lower and upper ends alternate; the curves follow one after another.
      {IBM_FAT_MAT, 0, FatMatBody(2, 6),
       L"MatlD\t\t\t: 9\nNumFatResult\t: 2\nStrRange[0]\t:        1,        2\n"},
      {IBM_FAT_MAT, 0, FatMatBody(2, 6), L"ResultData : 2\n      10,       30,       50\n"},
      {IBM_FAT_MAT, 0, FatMatBody(-2, 0), L"       6\nResultData : -2\n"},  // no curves
      {IBM_OPTIMIZE, 0, PZARBody().Int(2).Int(41).Int(42),
       L"NumPart\t\t: 2\nResultData : \n41\n42\n"},
      {IBM_PCB, 3, PZARBody().Int(5).Int(6).Int(7), L"Num Property IDs : 3\n5\n6\n7\n"},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(Scan(PZARTestFile().Record(c.type, c.id, c.body).End()), 1) << c.type;
    const std::wstring echo = EchoOf(At<CPZARRecord>(0));
    EXPECT_NE(echo.find(c.part), std::wstring::npos) << c.type << "\n" << echo;
  }
}

// Each body claims more than the file holds: the record is dropped and ends the scan, and a
// huge count is refused before anything is allocated for it.
TEST_F(IBMRecords, BodiesRunningPastTheEndFailTheirScan) {
  std::vector<char> shortGrid = GridBody(1, 5);
  shortGrid.resize(shortGrid.size() - 16);
  const struct {
    std::int32_t type, id;
    std::vector<char> body;
  } cases[] = {
      {IBM_GRID_INFO, 2, GridBody(1, 5)},  // local axes missing
      {IBM_GRID_INFO, 1, shortGrid},
      {IBM_GRID_MATL, 0, MatlBody(0x7fffffff, {1})},
      {IBM_FAT_MAT, 0, FatMatBody(2, 4)},
      {IBM_FAT_MAT, 0, FatMatBody(0x20000000, 1)},
      {IBM_FATIGUE, 0, PZARBody().Int(1).Int(2).Int(3)},
      {IBM_OPTIMIZE, 0, PZARBody().Int(1000000).Int(1)},
      {IBM_PCB, 0x7fffffff, PZARBody().Int(1)},
  };
  for (const auto& c : cases) {
    // A short body reads into the end marker and past the end of the file.
    EXPECT_EQ(Scan(PZARTestFile().Record(c.type, c.id, c.body).End()), 0) << c.type;
    EXPECT_EQ(m_file.GetRecord(c.type), nullptr) << c.type;
    EXPECT_EQ(m_file.GetScanReasons().at(0).eKind, EPZARScanReason::BODY_DOES_NOT_FIT) << c.type;
  }
}

}  // namespace
