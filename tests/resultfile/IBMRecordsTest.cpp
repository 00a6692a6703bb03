#include <gtest/gtest.h>

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

#include "ScannedFile.h"
#include "ibm/MPURecords.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/PZARRecordIBMFatMat.h"
#include "resultfile/records/PZARRecordIBMFatigue.h"
#include "resultfile/records/PZARRecordIBMGridInfo.h"
#include "resultfile/records/PZARRecordIBMGridMatl.h"
#include "resultfile/records/PZARRecordIBMIDArray.h"

namespace {

using namespace PZAR_RECORD_TYPE;
using TVec3 = std::array<double, 3>;

class IBMRecords : public ScannedFile {
protected:
  template <class T>
  T& Get(std::int32_t type) {
    CPZARRecord* pRecord = m_file.GetRecord(type);
    if (!pRecord) throw std::runtime_error("record not kept");
    return dynamic_cast<T&>(*pRecord);
  }
  // Contains, so that one test can check the lines it is about.
  static bool Has(const std::wstring& text, const wchar_t* part) {
    return text.find(part) != std::wstring::npos;
  }
};

PZARBody GridBody(std::int32_t order, std::int32_t n) {
  PZARBody b;
  b.Int(3).Int(order).Int(101).Int(n).Int(n).Int(n);
  for (const double v : {0, -1, 2, 4, 1, 6}) b.Real(v);
  return b;
}

PZARBody FatigueBody() {
  PZARBody b;
  b.Int(3).Int(4).Int(1).Int(11).Int(12).Int(13).Real(1e7).Real(2e5);
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

TEST_F(IBMRecords, GlobalGridEndsAfterMaximumAndFillsTheGridRecord) {
  // The fatigue record right after the grid shows where the grid's body ended.
  ASSERT_EQ(Scan(PZARTestFile()
                     .Record(IBM_GRID_INFO, 1, GridBody(1, 5))
                     .Record(IBM_FATIGUE, 0, FatigueBody())
                     .End()),
            1);
  ASSERT_EQ(m_file.GetRecordList().size(), 2u);
  auto& grid = Get<CPZARRecordIBMGridInfo>(IBM_GRID_INFO);
  TMPUBndrD d;
  grid.GetData(&d);
  EXPECT_EQ(d.m_nAlign, 1);
  EXPECT_EQ(d.m_nPartID, 3);
  EXPECT_EQ(d.m_nNidStart, 101);
  EXPECT_EQ(d.m_aOrigin, (TVec3{0, -1, 2}));
  EXPECT_EQ(d.m_aExtent, (TVec3{4, 2, 4}));
  EXPECT_EQ(d.m_aStep[0], (TVec3{1, 0, 0}));
  EXPECT_EQ(d.m_aStep[1], (TVec3{0, 0.5, 0}));
  EXPECT_EQ(EchoOf(grid),
            L"--------------------------------------------\n"
            L"GRID INFO FOR IMPLICIT BOUNDARY METHOD\t  \n"
            L"--------------------------------------------\n"
            L"PART_ID : 3\nELEM_ORDER : 1\nNID_START : 101\n"
            L"NUMBER  :        5,        5,        5\n"
            L"MINIMUM :        0,       -1,        2\n"
            L"MAXIMUM :        4,        1,        6\n\n\n");
}

TEST_F(IBMRecords, LocalGridReadsItsAxesAndRotatesIntoThem) {
  PZARBody body = GridBody(2, 3);
  for (const double v : {1, 2, 3, 1, 0, 0, 2, 0, 5}) body.Real(v);  // origin, z, xz
  ASSERT_EQ(Scan(PZARTestFile().Record(IBM_GRID_INFO, 2, body).End()), 1);
  auto& grid = Get<CPZARRecordIBMGridInfo>(IBM_GRID_INFO);
  TMPUBndrD d;
  grid.GetData(&d);
  EXPECT_EQ(d.m_nAlign, 0);
  EXPECT_EQ(d.m_aOrigin2, (TVec3{1, 2, 3}));
  // Rows: local x (the xz vector made normal to z), local y, local z.
  const std::array<TVec3, 3> rot{{{0, 0, 1}, {0, -1, 0}, {1, 0, 0}}};
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(d.m_aRot[r][c], rot[r][c], 1e-12) << r << c;
  EXPECT_TRUE(Has(EchoOf(grid),
                  L"LOCAL ORIGIN :        1,        2,        3\n"
                  L"LOCAL Z      :        1,        0,        0\n"
                  L"LOCAL XZ     :        2,        0,        5\n\n\n"));
}

TEST_F(IBMRecords, GridCountsNodesAndCellsByOrder) {
  struct Case {
    std::int32_t order, n, nodes, cells;
  };
  for (const Case c :
       {Case{1, 5, 125, 64}, Case{2, 5, 125, 8}, Case{3, 5, 125, 8}, Case{1, 1, 1, 0}}) {
    ASSERT_EQ(Scan(PZARTestFile().Record(IBM_GRID_INFO, 1, GridBody(c.order, c.n)).End()), 1);
    std::int32_t nodes = -1;
    std::int32_t cells = -1;
    Get<CPZARRecordIBMGridInfo>(IBM_GRID_INFO).GetNodeElemSize(nodes, cells);
    EXPECT_EQ(nodes, c.nodes) << c.order << " " << c.n;
    EXPECT_EQ(cells, c.cells) << c.order << " " << c.n;
  }
}

TEST_F(IBMRecords, GridMaterialReadsItsTableAndSpreadsTheAbscissae) {
  ASSERT_EQ(Scan(PZARTestFile().Record(IBM_GRID_MATL, 0, MatlBody(3, {250, 300, 320})).End()), 1);
  auto& matl = Get<CPZARRecordIBMGridMatl>(IBM_GRID_MATL);
  TMPUMatD d;
  matl.GetData(&d);
  EXPECT_EQ(d.m_nForm, 4);
  EXPECT_DOUBLE_EQ(d.m_rTableXMax, 0.2);
  EXPECT_EQ(d.m_aTable, (zar::MArray<double>{250, 300, 320}));
  const std::wstring echo = EchoOf(matl);
  EXPECT_TRUE(Has(echo,
                  L"IBM GRID MATERIAL INFORMATION               \n"
                  L"--------------------------------------------\n"
                  L"PartID\t:     7\nE\t\t\t:   200000\nNu\t\t:      0.3\n"));
  EXPECT_TRUE(Has(echo,
                  L"NumTable\t:     3\n"
                  L"(    0) TableX, TableY :        0,      250\n"
                  L"(    1) TableX, TableY :      0.1,      300\n"
                  L"(    2) TableX, TableY :      0.2,      320\n"));
}

TEST_F(IBMRecords, FatigueFillsItsBlockAndEchoes) {
  ASSERT_EQ(Scan(PZARTestFile(140).OffsetTable(0, 0).Record(IBM_FATIGUE, 0, FatigueBody()).End()),
            1);
  auto& fat = Get<CPZARRecordIBMFatigue>(IBM_FATIGUE);
  TMPUFatD d;
  fat.GetData(&d);
  EXPECT_EQ(d.m_aMSCType, (std::array<std::int32_t, 3>{11, 12, 13}));
  EXPECT_EQ(d.m_nSequivalent, 1);
  EXPECT_DOUBLE_EQ(d.m_rInfiniteLife, 1e7);
  EXPECT_DOUBLE_EQ(d.m_rTotalCycle, 2e5);
  EXPECT_EQ(EchoOf(fat),
            L"--------------------------------------------\n"
            L"FATIGUE ANALYSIS INFORMATION                \n"
            L"--------------------------------------------\n"
            L"PartID\t\t: 3\nMatID\t\t\t: 4\nSequivalent\t: 1\nMSCType\t\t: 11, 12, 13\n"
            L"InfiniteLife\t:    1e+07\nTotalCycle\t:   200000\n");
}

TEST_F(IBMRecords, FatigueMaterialKeepsPairMembersApartAndCurvesInOrder) {
  ASSERT_EQ(Scan(PZARTestFile().Record(IBM_FAT_MAT, 0, FatMatBody(2, 6)).End()), 1);
  auto& mat = Get<CPZARRecordIBMFatMat>(IBM_FAT_MAT);
  TMPUFatMatD d;
  mat.GetData(&d);
  EXPECT_EQ(d.m_nMatID, 9);
  EXPECT_EQ(d.m_nPointCnt, 2);
  EXPECT_EQ(d.m_aLower, (TVec3{1, 3, 5}));
  EXPECT_EQ(d.m_aUpper, (TVec3{2, 4, 6}));
  EXPECT_EQ(d.m_aTable[2], (zar::MArray<double>{50, 60}));
  const std::wstring echo = EchoOf(mat);
  EXPECT_TRUE(Has(echo, L"MatlD\t\t\t: 9\nNumFatResult\t: 2\nStrRange[0]\t:        1,        2\n"));
  EXPECT_TRUE(Has(echo, L"ResultData : 2\n      10,       30,       50\n"));
  // Without a count nothing follows the pairs.
  ASSERT_EQ(Scan(PZARTestFile().Record(IBM_FAT_MAT, 0, FatMatBody(-2, 0)).End()), 1);
  EXPECT_TRUE(Get<CPZARRecordIBMFatMat>(IBM_FAT_MAT).GetResultData(1).empty());
}

TEST_F(IBMRecords, OptimizeCountsInTheBodyAndPCBInTheHeader) {
  ASSERT_EQ(Scan(PZARTestFile()
                     .Record(IBM_OPTIMIZE, 0, PZARBody().Int(2).Int(41).Int(42))
                     .Record(IBM_PCB, 3, PZARBody().Int(5).Int(6).Int(7))
                     .End()),
            1);
  auto& opt = Get<CPZARRecordIBMOptimize>(IBM_OPTIMIZE);
  auto& pcb = Get<CPZARRecordIBMPCB>(IBM_PCB);
  zar::MArray<std::int32_t> ids;
  opt.GetData(ids);
  EXPECT_EQ(ids, (zar::MArray<std::int32_t>{41, 42}));
  pcb.GetData(ids);
  EXPECT_EQ(ids, (zar::MArray<std::int32_t>{5, 6, 7}));
  EXPECT_TRUE(Has(EchoOf(opt), L"NumPart\t\t: 2\nResultData : \n41\n42\n"));
  EXPECT_TRUE(Has(EchoOf(pcb),
                  L"PROPERTY ID MAP FOR PCB POST\t\t\t\t  \n"
                  L"--------------------------------------------\n"
                  L"Num Property IDs : 3\n5\n6\n7\n"));
}

// Each body claims more than the file holds: the record is dropped, and a huge count is
// refused before anything is allocated for it.
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
  }
}

}  // namespace
