#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "ScannedFile.h"
#include "base/ScratchFolder.h"
#include "ibm/MPURecords.h"
#include "resultfile/PZARFile.h"
#include "resultfile/PZARFileWriter140.h"
#include "resultfile/PZARModelWriter150.h"
#include "resultfile/records/PZARRecordBlocks150.h"
#include "resultfile/records/PZARRecordCaseInfo.h"
#include "resultfile/records/PZARRecordElemCsys.h"
#include "resultfile/records/PZARRecordIBMFatMat.h"
#include "resultfile/records/PZARRecordIBMFatigue.h"
#include "resultfile/records/PZARRecordIBMGridInfo.h"
#include "resultfile/records/PZARRecordIBMGridMatl.h"
#include "resultfile/records/PZARRecordIBMIDArray.h"
#include "resultfile/records/PZARRecordNodeElemIDList.h"
#include "resultfile/records/PZARRecordOutputSet.h"
#include "resultfile/records/PZARRecordSolverInfo.h"
#include "resultfile/records/PZARRecordVector.h"
#include "support/ResultFileBuilder.h"

using namespace PZAR_RECORD_TYPE;

namespace {

using TBytes = std::vector<unsigned char>;
using TInts = zar::MArray<std::int32_t>;

TBytes ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return TBytes((std::istreambuf_iterator<char>(in)), {});
}

using PZARFileWriter = ScannedFile;

TEST_F(PZARFileWriter, WritesVersionInfoHeadersAndTheEndMarkerByteExact) {
  for (const std::int32_t width : {4, 8}) {
    CPZARFileWriter_140 writer(width);
    ASSERT_EQ(writer.OpenFile(m_dir.Wide("w.pzar"), 1, 0), 1);
    EXPECT_EQ(writer.WriteFileVerinfo(), 1);
    EXPECT_EQ(writer.WriteRecordHeader(12, 7), 1);
    EXPECT_EQ(writer.WriteEndOfFile(), 1);
    EXPECT_EQ(writer.CloseFile(), 1);
    const TBytes tag = width == 4 ? TBytes{0x4E, 0x45, 0, 0} : TBytes{0x44, 0x42, 0x4C, 0};
    TBytes expected{0x8C, 0, 0, 0};
    expected.insert(expected.end(), tag.begin(), tag.end());
    expected.insert(expected.end(), {0, 0, 0, 0, 12, 0, 0, 0, 7, 0, 0, 0});
    expected.insert(expected.end(), {0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0});
    EXPECT_EQ(ReadAll(m_dir.Narrow("w.pzar")), expected) << width;
  }
}

TEST_F(PZARFileWriter, FileErrorsBecomeZeroResults) {
  CPZARFileWriter_140 writer;
  EXPECT_EQ(writer.OpenFile(m_dir.Wide("missing.pzar"), 0, 0), 0);
  EXPECT_EQ(writer.Write("x", 1), 0);
  EXPECT_EQ(writer.WriteEndOfFile(), 0);
  EXPECT_EQ(writer.Seek(0, CFile::begin), -1);
  ASSERT_EQ(writer.OpenFile(m_dir.Wide("w.pzar"), 1, 0), 1);
  EXPECT_EQ(writer.Seek(-1, CFile::begin), -1);
  EXPECT_EQ(writer.Seek(16, CFile::begin), 16);
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  // A full device: a large record body fails at once, small writes when they reach it.
  ASSERT_EQ(writer.OpenFile(L"/dev/full", 0, 0), 1);
  const TInts ids(1 << 20, 5);
  CRecordIDListD data(writer.GetFile(), ids.data(), static_cast<std::int32_t>(ids.size()));
  EXPECT_EQ(CPZARRecordNodeIDList_140().Write(&data), 0);
  EXPECT_EQ(writer.WriteEndOfFile(), 1);
  EXPECT_EQ(writer.CloseFile(), 0);
}

TEST_F(PZARFileWriter, OpeningAtAnOffsetAppendsRecords) {
  const CString path = m_dir.Wide("w.pzar");
  {
    CResultFileBuilder file(path);
    file.Solver(L"S");
    file.IDList(NODE_ID_LIST, {1, 2});
    ASSERT_TRUE(file.Finish());
  }
  const auto endMarker =
      static_cast<std::int64_t>(std::filesystem::file_size(m_dir.Narrow("w.pzar"))) - 8;
  CPZARFileWriter_140 writer;
  ASSERT_EQ(writer.OpenFile(path, 0, endMarker), 1);
  const std::int32_t ids[] = {4, 5, 6};
  CRecordIDListD data(writer.GetFile(), ids, 3);
  ASSERT_TRUE(writer.WriteRecordHeader(ELEM_ID_LIST, 3) &&
              CPZARRecordElemIDList_140().Write(&data));
  ASSERT_TRUE(writer.WriteEndOfFile() && writer.CloseFile());
  ASSERT_EQ(m_file.Scan(path), 1);
  EXPECT_EQ(KeptTypes(), (std::vector<std::int32_t>{SOLVER_INFO, NODE_ID_LIST, ELEM_ID_LIST}));
}

// Every record that the library writes, in each format and real width, reads back as written.
class WrittenFile : public ScannedFile,
                    public ::testing::WithParamInterface<std::tuple<std::int32_t, std::int32_t>> {
protected:
  void WriteAll(CResultFileBuilder& file) {
    CRecordSolverInfoD solver(file.File());
    solver.m_strSolverName = L"Solver";
    solver.m_nForce = 3;
    file.Add(SOLVER_INFO, 0, solver);
    file.CaseInfo(3, L"Gehäuse");
    file.OutputSet(0.5, CString(L"T(") + CString(L"\x1b|0|0|1|\x1b"));
    file.IDList(NODE_ID_LIST, {10, 11});
    file.IDList(ELEM_ID_LIST, {1});
    file.Vector(102, 0, {0.25, -1.5});
    WriteIBM(file);
    WriteModel(file);
    const double axes[12] = {1, 0, 0, 0, 1, 0, 0.5, 0.25, 0, -0.25, 0.5, 0};
    const std::vector<float> singles(axes, axes + 12);
    CRecordElemCsysD csys(file.File());
    csys.m_nRealWidth = file.FloatSize();
    csys.m_pAxes = csys.m_nRealWidth == 4 ? static_cast<const void*>(singles.data()) : axes;
    csys.m_nCount = 2;
    file.Add(ELEM_CSYS, 2, csys);
    file.Vector(201, 1, {-3.5});  // over the element id list in force
  }

  static void WriteIBM(CResultFileBuilder& file) {
    CRecordIBMGridInfoD grid(file.File());
    grid.m_nFrame = 0;
    grid.m_nPartID = 4;
    grid.m_aNumber = {3, 4, 5};
    grid.m_aMaximum = {1, 2, 3};
    grid.m_aLocalZ = {0, 0, 2};
    grid.m_aLocalXZ = {0, 1, 1};
    file.Add(IBM_GRID_INFO, grid.m_nFrame, grid);
    CRecordIBMGridMatlD matl(file.File());
    matl.m_data.m_rE = 210e3;
    matl.m_data.m_nForm = 2;
    matl.m_data.m_aTable = {1.5, 2.5, 3.5};
    matl.m_data.m_rTableXMin = 1;
    matl.m_data.m_rTableXMax = 2;
    file.Add(IBM_GRID_MATL, 0, matl);
    CRecordIBMFatigueD fat(file.File());
    fat.m_data.m_aMSCType = {1, 2, 3};
    fat.m_data.m_rTotalCycle = 1e6;
    file.Add(IBM_FATIGUE, 0, fat);
    CRecordIBMFatMatD fatMat(file.File());
    fatMat.m_data.m_nMatID = 9;
    fatMat.m_data.m_aLower = {1, 2, 3};
    fatMat.m_data.m_aUpper = {4, 5, 6};
    fatMat.m_data.m_aTable = {{{7, 8}, {9, 10}, {11, 12}}};
    file.Add(IBM_FAT_MAT, 0, fatMat);
    CRecordIBMIDArrayD ids(file.File());
    ids.m_aIDs = {5, 6, 7};
    file.Add(IBM_OPTIMIZE, 0, ids);
    file.Add(IBM_PCB, 3, ids);
  }

  static void WriteModel(CResultFileBuilder& file) {
    pzar_writer::TNodeBlock nodes{
        .nKey = 1, .aIDs = {10, 11}, .aXYZ = {{{0.5, 1, -2}}, {{3, 4, 5.25}}}};
    EXPECT_EQ(pzar_writer::WriteNodeRecord(file.Writer(), {nodes}), 1);
    pzar_writer::TElemEntry quad{.nID = 1, .nType = 6, .aNodes = {10, 11, 12, 13}};
    EXPECT_EQ(pzar_writer::WriteElementRecord(file.Writer(), {{.nKey = 2, .aElems = {quad}}}), 1);
  }

  // Writes every record in the parameters' format and width and scans the file.
  bool WriteAndScan() {
    const auto [version, width] = GetParam();
    {
      CResultFileBuilder file(m_dir.Wide("w.pzar"), version, width);
      WriteAll(file);
      if (!file.Finish()) return false;
    }
    return m_file.Scan(m_dir.Wide("w.pzar")) == 1 && m_file.GetRecordList().size() == 16u;
  }
};

// Then the line after the first separator of each echo; the case title is not ASCII.
TEST_P(WrittenFile, ReadsBackAndEchoesEveryRecord) {
  ASSERT_TRUE(WriteAndScan());
  EXPECT_EQ(std::wstring(At<CPZARRecordSolverInfo>(0).GetSolverName()), L"Solver");
  EXPECT_EQ(At<CPZARRecordSolverInfo>(0).GetUnitIndex().nForce, 3);
  EXPECT_EQ(std::wstring(At<CPZARRecordCaseInfo>(1).GetTitle()), L"Gehäuse");
  EXPECT_EQ(std::wstring(At<CPZARRecordOutputSet>(2).GetTitle()), L"T(5.000e-01)");
  TInts ids;
  ASSERT_EQ(At<CPZARRecordNodeIDList>(3).LoadData(ids, nullptr, nullptr), 1);
  EXPECT_EQ(ids, (TInts{10, 11}));

  zar::MArray<double> values;
  zar::MArray<std::uint64_t> iters;
  ASSERT_EQ(At<CPZARRecordVector>(5).LoadData(values, iters, nullptr, nullptr), 1);
  EXPECT_EQ(values, (zar::MArray<double>{0.25, -1.5}));
  EXPECT_EQ(At<CPZARRecordVector>(5).GetInfo().m_rMinVal, -1.5);

  TMPUBndrD grid;
  At<CPZARRecordIBMGridInfo>(6).GetData(&grid);
  EXPECT_EQ(grid.m_aNumber, (std::array<std::int32_t, 3>{3, 4, 5}));
  EXPECT_EQ(grid.m_aStep[2][2], 0.75);
  EXPECT_EQ(grid.m_aRot[0], (std::array<double, 3>{0, 1, 0}));
  TMPUMatD matl;
  At<CPZARRecordIBMGridMatl>(7).GetData(&matl);
  EXPECT_EQ(matl.m_rE, 210e3);
  EXPECT_EQ(matl.m_nForm, 2);
  EXPECT_EQ(matl.m_aTable, (zar::MArray<double>{1.5, 2.5, 3.5}));
  EXPECT_EQ(At<CPZARRecordIBMGridMatl>(7).GetTableX(1), 1.5);  // spread evenly over the table
  TMPUFatD fat;
  At<CPZARRecordIBMFatigue>(8).GetData(&fat);
  EXPECT_EQ(fat.m_aMSCType, (std::array<std::int32_t, 3>{1, 2, 3}));
  EXPECT_EQ(fat.m_rTotalCycle, 1e6);
  TMPUFatMatD fatMat;
  At<CPZARRecordIBMFatMat>(9).GetData(&fatMat);
  EXPECT_EQ(fatMat.m_aUpper, (std::array<double, 3>{4, 5, 6}));
  EXPECT_EQ(fatMat.m_aTable[2], (zar::MArray<double>{11, 12}));
  EXPECT_EQ(At<CPZARRecordIBMOptimize>(10).GetIDs(), (TInts{5, 6, 7}));
  EXPECT_EQ(At<CPZARRecordIBMPCB>(11).GetIDs(), (TInts{5, 6, 7}));

  zar::MArray<zar::MVector<double, 3>> xyz;
  ASSERT_EQ(At<CPZARRecordNode_150>(12).GetNodeData(ids, xyz), 1);
  EXPECT_EQ(ids, (TInts{10, 11}));
  EXPECT_EQ(xyz[1], (zar::MVector<double, 3>{{3, 4, 5.25}}));
  TInts types, counts, nodes;
  ASSERT_EQ(At<CPZARRecordElement_150>(13).GetElemData(ids, types, counts, nodes), 1);
  EXPECT_EQ(types, (TInts{6}));
  EXPECT_EQ(nodes, (TInts{10, 11, 12, 13}));
  zar::MArray<pvk::TElemOutCsys_d> csys;
  ASSERT_EQ(At<CPZARRecordElemCsys>(14).LoadData(csys, nullptr, nullptr), 1);
  ASSERT_EQ(csys.size(), 2u);
  EXPECT_EQ(std::vector<double>(csys[1].v, csys[1].v + 3), (std::vector<double>{0.5, 0.25, 0}));
  ASSERT_EQ(At<CPZARRecordVector>(15).LoadData(values, iters, nullptr, nullptr), 1);
  EXPECT_EQ(values, (zar::MArray<double>{-3.5}));

  const wchar_t* titles[] = {L"Solver Info (Solver)\n",
                             nullptr,
                             L"OUTPUT SET  : T(5.000e-01)\n",
                             L"Node ID Size: 2\n",
                             L"Element ID Size: 1\n",
                             L"DATA VECTOR  : V\n",
                             L"GRID INFO FOR IMPLICIT BOUNDARY METHOD\t  \n",
                             L"IBM GRID MATERIAL INFORMATION               \n",
                             L"FATIGUE ANALYSIS INFORMATION                \n",
                             L"FATIGUE MATERIAL INFORMATION                \n",
                             L"Fixed Design Domain Grid IDs (for IBM Topology Optimization\n",
                             L"PROPERTY ID MAP FOR PCB POST\t\t\t\t  \n",
                             L"NODE                                        \n",
                             L"ELEMENT                                     \n",
                             L"ELEM CSYS\tCount : 2 \n"};
  for (std::size_t i = 0; i < std::size(titles); ++i) {
    if (!titles[i]) continue;
    const std::wstring echo = EchoOf(At<CPZARRecord>(i));
    EXPECT_TRUE(echo.starts_with(kEchoSep + titles[i])) << i << "\n" << echo;
  }
}

INSTANTIATE_TEST_SUITE_P(FormatsAndWidths, WrittenFile,
                         ::testing::Combine(::testing::Values(130, 140, 150),
                                            ::testing::Values(4, 8)));

// Read-only versions, records without a file and records of the wrong data refuse to write.
TEST_F(PZARFileWriter, RefusesInputItCannotWriteBeforeWritingAnything) {
  CRecordIBMIDArrayD data(nullptr);
  CRecordCaseInfoD wrongData(nullptr);
  EXPECT_EQ(CPZARRecordIBMPCB_130().Write(&data), 0);
  EXPECT_EQ(CPZARRecordIBMPCB_140().Write(&data), 0);
  EXPECT_EQ(CPZARRecordIBMPCB_140().Write(&wrongData), 0);
  CPZARFileWriter_140 writer;
  ASSERT_EQ(writer.OpenFile(m_dir.Wide("w.pzar"), 1, 0), 1);
  EXPECT_EQ(pzar_writer::WriteFileHeader(writer, 140), 0);
  pzar_writer::TNodeBlock uneven{.nKey = 1, .aIDs = {1, 2}, .aXYZ = {{{0, 0, 0}}}};
  EXPECT_EQ(pzar_writer::WriteNodeRecord(writer, {uneven}), 0);
  EXPECT_EQ(writer.GetFile()->GetLength(), 0u);
  CRecordIBMFatMatD ragged(writer.GetFile());
  ragged.m_data.m_aTable = {{{1, 2}, {3}, {4, 5}}};
  EXPECT_EQ(CPZARRecordIBMFatMat_140().Write(&ragged), 0);
  // Unit indices outside the unit tables; encoding INT_MAX overflowed.
  for (const auto& [length, force, energy, time] :
       {std::array{INT32_MAX, 0, 0, 0}, {5, 0, 0, 0}, {0, -1, 0, 0}, {0, 0, 5, 0}, {0, 0, 0, 3}}) {
    CRecordSolverInfoD units(writer.GetFile());
    units.m_nLength = length;
    units.m_nForce = force;
    units.m_nEnergy = energy;
    units.m_nTime = time;
    EXPECT_EQ(CPZARRecordSolverInfo_140().Write(&units), 0) << length << force << energy << time;
  }
  EXPECT_EQ(writer.GetFile()->GetLength(), 0u);
}

}  // namespace
