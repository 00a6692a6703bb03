#include <gtest/gtest.h>

#include <filesystem>

#include "PZARTestFile.h"
#include "TestRecords.h"
#include "base/ScratchFolder.h"
#include "resultfile/PZARFile.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/PZARRecordNodeElemIDList.h"
#include "resultfile/records/PZARRecordVector.h"

using namespace pzar_test;

namespace {

constexpr std::int32_t kNodes = PZAR_RECORD_TYPE::NODE_ID_LIST;
constexpr std::int32_t kElems = PZAR_RECORD_TYPE::ELEM_ID_LIST;
constexpr std::int32_t kSet = PZAR_RECORD_TYPE::OUTPUT_SET;
constexpr std::int32_t kVector = PZAR_RECORD_TYPE::VECTOR;

class PZARFileRecords : public ::testing::Test {
protected:
  void Load(const PZARTestFile& content) {
    content.Save(m_dir.Narrow("r.pzar"));
    ASSERT_EQ(m_file.Scan(m_dir.Wide("r.pzar")), 1);
  }
  template <class T>
  T& At(std::size_t i) {
    return dynamic_cast<T&>(*m_file.GetRecordList().at(i));
  }

  ScratchFolder m_dir;
  CPZARFile m_file;
};

TEST_F(PZARFileRecords, FindsAndListsRecordsInFileOrder) {
  Load(PZARTestFile(130)
           .Record(kSkipType, 0)
           .Record(kBody16Type, 1, std::vector<char>(16, 'a'))
           .Record(kBody16Type, 2, std::vector<char>(16, 'b'))
           .End());
  ASSERT_NE(m_file.GetRecord(kBody16Type), nullptr);
  EXPECT_EQ(m_file.GetRecord(kBody16Type)->GetHeader().id, 1);
  EXPECT_EQ(m_file.GetRecord(PZAR_RECORD_TYPE::CASE_INFO), nullptr);

  std::list<CPZARRecord*> list;
  m_file.GetRecordList(list);
  zar::MTArray<IPostRecord*> array;
  m_file.GetRecordList(array);
  ASSERT_EQ(list.size(), 3u);
  ASSERT_EQ(array.size(), 3u);
  EXPECT_EQ(list.back(), m_file.GetRecordList()[2].get());
  EXPECT_EQ(array[1], m_file.GetRecordList()[1].get());
}

TEST_F(PZARFileRecords, NumbersVectorsAndHandsThemToTheListsInForce) {
  const PZARBody oneId = PZARBody().Int(10);
  const PZARBody set = PZARBody().Real(1.0).Int(0).Text("", 80).Int(0);
  Load(PZARTestFile(130)
           .Record(kNodes, 1, oneId)
           .Record(kElems, 1, oneId)
           .Record(kVector, 7, VectorBody(0))
           .Record(kVector, -3, VectorBody(1, 1))
           .Record(kSet, 0, set)
           .Record(kVector, 12, VectorBody(0))
           .Record(kNodes, 1, oneId)
           .Record(kVector, 5, VectorBody(0))
           .End());
  m_file.InitAllRecordFlags();
  EXPECT_EQ(At<CPZARRecordVector>(2).GetVectorSeqNo(), 1);
  EXPECT_EQ(At<CPZARRecordVector>(3).GetVectorSeqNo(), 2);
  EXPECT_EQ(At<CPZARRecordVector>(5).GetVectorSeqNo(), 3);
  EXPECT_EQ(At<CPZARRecordVector>(7).GetVectorSeqNo(), 4);
  const auto& firstNodes = At<CPZARRecordNodeIDList>(0);
  const auto& elems = At<CPZARRecordElemIDList>(1);
  const auto& secondNodes = At<CPZARRecordNodeIDList>(6);
  CPZARRecord* lineVector = m_file.GetRecordList()[3].get();
  EXPECT_EQ(firstNodes.GetVector(7), m_file.GetRecordList()[2].get());
  EXPECT_EQ(firstNodes.GetVector(-3), nullptr);  // an element vector
  EXPECT_EQ(firstNodes.GetVector(12), nullptr);  // after the output set
  EXPECT_EQ(elems.GetVector(lineVector, -3), lineVector);
  EXPECT_EQ(secondNodes.GetVector(5), m_file.GetRecordList()[7].get());

  std::int32_t range[2] = {};
  ASSERT_EQ(m_file.GetRecordVectorIDRange(range), 1);
  EXPECT_EQ(range[0], -3);
  EXPECT_EQ(range[1], 12);

  m_file.DeInitAllRecordFlags();
  EXPECT_EQ(firstNodes.GetVector(7), nullptr);
  EXPECT_EQ(elems.GetVector(lineVector, -3), nullptr);
  EXPECT_EQ(secondNodes.GetVector(5), nullptr);
}

TEST_F(PZARFileRecords, VectorIDRangeNeedsVectorRecords) {
  std::int32_t range[2] = {11, 22};
  EXPECT_EQ(m_file.GetRecordVectorIDRange(range), 0);
  Load(PZARTestFile(130).Record(kNodes, 1, PZARBody().Int(1)).End());
  EXPECT_EQ(m_file.GetRecordVectorIDRange(range), 0);
  EXPECT_EQ(range[0], 11);
}

TEST_F(PZARFileRecords, OwnsItsElementOutputVectors) {
  CPZARElemOutVector* first = m_file.AddElemOutVector();
  CPZARElemOutVector* second = m_file.AddElemOutVector();
  ASSERT_EQ(m_file.GetElemOutVectorList().size(), 2u);
  EXPECT_EQ(m_file.RemoveElemOutVector(first), 1);
  EXPECT_EQ(m_file.RemoveElemOutVector(first), 0);
  CPZARElemOutVector foreign;
  EXPECT_EQ(m_file.RemoveElemOutVector(&foreign), 0);
  ASSERT_EQ(m_file.GetElemOutVectorList().size(), 1u);
  EXPECT_EQ(m_file.GetElemOutVectorList()[0].get(), second);
}

TEST_F(PZARFileRecords, ClearAndDeleteReleaseTheFile) {
  Load(PZARTestFile(130).Record(kSkipType, 0).End());
  m_file.AddElemOutVector();
  m_file.Clear();
  EXPECT_TRUE(m_file.GetRecordList().empty());
  EXPECT_TRUE(m_file.GetElemOutVectorList().empty());
  EXPECT_FALSE(m_file.GetFile().IsOpen());

  Load(PZARTestFile(130).Record(kSkipType, 0).End());
  EXPECT_EQ(m_file.DeleteFileW(), 1);
  EXPECT_FALSE(std::filesystem::exists(m_dir.Narrow("r.pzar")));
  EXPECT_TRUE(m_file.GetRecordList().empty());
  EXPECT_EQ(m_file.DeleteFileW(), 0);
}

}  // namespace
