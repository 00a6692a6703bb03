#include <gtest/gtest.h>

#include <algorithm>

#include "TestRecords.h"
#include "resultfile/RecordFactory.h"
#include "resultfile/records/PZARRecordBlocks150.h"
#include "resultfile/records/PZARRecordCaseInfo.h"
#include "resultfile/records/PZARRecordConcNodalVector.h"
#include "resultfile/records/PZARRecordElemCsys.h"
#include "resultfile/records/PZARRecordEntityCaseInfo.h"
#include "resultfile/records/PZARRecordIBMFatMat.h"
#include "resultfile/records/PZARRecordIBMFatigue.h"
#include "resultfile/records/PZARRecordIBMGridInfo.h"
#include "resultfile/records/PZARRecordIBMGridMatl.h"
#include "resultfile/records/PZARRecordIBMIDArray.h"
#include "resultfile/records/PZARRecordMarker150.h"
#include "resultfile/records/PZARRecordNodeElemIDList.h"
#include "resultfile/records/PZARRecordOutputSet.h"
#include "resultfile/records/PZARRecordSolverInfo.h"
#include "resultfile/records/PZARRecordVector.h"

using namespace PZAR_RECORD_VER;

namespace {

// Records that tell which registration created them.
template <std::int32_t Tag>
class CTaggedRecord : public pzar_test::CSkipRecord {
public:
  std::int32_t GetType() const override { return Tag; }
};

template <std::int32_t Tag>
std::unique_ptr<CPZARRecord> Make() {
  return std::make_unique<CTaggedRecord<Tag>>();
}

std::int32_t CreatedTag(std::int32_t type, E_VER version) {
  const auto record = CPZARRecordFactory::GetInstance().Create(type, version);
  return record ? record->GetType() : -1;
}

// The first registration stays until unregistered; a version without the type falls back to
// the highest version that has it, as registered at the time of creation.
TEST(CPZARRecordFactory, RegistersOnceAndFallsBackToTheHighestVersionThatHasTheType) {
  auto& factory = CPZARRecordFactory::GetInstance();
  EXPECT_EQ(factory.Register(7002, VER_140, &Make<140>), 1);
  EXPECT_EQ(factory.Register(7002, VER_140, &Make<2>), 0);
  EXPECT_EQ(CreatedTag(7002, VER_130), 140);
  EXPECT_EQ(CreatedTag(7002, VER_150), 140);
  ASSERT_EQ(factory.Register(7002, VER_150, &Make<150>), 1);
  EXPECT_EQ(CreatedTag(7002, VER_130), 150);
  EXPECT_EQ(CreatedTag(7002, VER_140), 140);
  ASSERT_EQ(factory.Register(7002, VER_130, &Make<130>), 1);
  EXPECT_EQ(CreatedTag(7002, VER_130), 130);
  EXPECT_EQ(CreatedTag(7003, VER_140), -1);
  for (E_VER v : {VER_130, VER_140, VER_150}) EXPECT_EQ(factory.Unregister(7002, v), 1);
  EXPECT_EQ(factory.Unregister(7002, VER_130), 0);
  EXPECT_EQ(CreatedTag(7002, VER_130), -1);
  // Creating makes the map of an unknown version.
  const auto version = static_cast<E_VER>(17);
  EXPECT_EQ(factory.GetRegisteredMap(version), nullptr);
  EXPECT_NE(factory.Create(pzar_test::kSkipType, version), nullptr);  // by fallback
  ASSERT_NE(factory.GetRegisteredMap(version), nullptr);
  EXPECT_TRUE(factory.GetRegisteredMap(version)->empty());
}

template <class TRecord>
bool IsA(CPZARRecord* pRecord) {
  return PZARRecordCast<TRecord>(pRecord) != nullptr;
}

// Every record type of the format, by the versions that register its class: each class creates
// a record of its own type, which the checked cast gives as its class and as no other class of
// the format; nothing else is registered, and the type table names exactly these types.
TEST(CPZARRecordFactory, RegistersEveryRecordClassOfTheFormat) {
  struct Row {
    std::int32_t type;
    const char* versions;  // '0' 130, '1' 140, '2' 150
    bool (*isClass)(CPZARRecord*);
  };
  const Row rows[] = {
      {1, "01", &IsA<CPZARRecordNodeIDList>},        {2, "01", &IsA<CPZARRecordElemIDList>},
      {3, "01", &IsA<CPZARRecordActElemIDList>},     {4, "01", &IsA<CPZARRecordDeactElemIDList>},
      {5, "1", &IsA<CPZARRecordResIDList>},          {7, "1", &IsA<CPZARRecordElemIDListOnMcas>},
      {12, "01", &IsA<CPZARRecordCaseInfo>},         {13, "01", &IsA<CPZARRecordOutputSet>},
      {14, "01", &IsA<CPZARRecordVector>},           {15, "1", &IsA<CPZARRecordConcNodalVector>},
      {16, "1", &IsA<CPZARRecordEntityCaseInfoD>},   {100, "01", &IsA<CPZARRecordSolverInfo>},
      {10003, "01", &IsA<CPZARRecordElemCsys>},      {10004, "01", &IsA<CPZARRecordPlyID>},
      {10006, "01", &IsA<CPZARRecordIBMGridInfo>},   {10008, "01", &IsA<CPZARRecordIBMFatMat>},
      {10009, "01", &IsA<CPZARRecordIBMFatigue>},    {10010, "01", &IsA<CPZARRecordIBMOptimize>},
      {10012, "01", &IsA<CPZARRecordIBMGridMatl>},   {10013, "2", &IsA<CPZARRecordNode_150>},
      {10014, "2", &IsA<CPZARRecordResultType_150>}, {10015, "2", &IsA<CPZARRecordElement_150>},
      {10016, "01", &IsA<CPZARRecordIBMPCB>},        {10017, "2", &IsA<CPZARRecordSubcase>},
  };
  ASSERT_TRUE(std::ranges::equal(rows, PZAR_RECORD_TYPE::kRecordTypes, {}, &Row::type,
                                 &PZAR_RECORD_TYPE::TRecordTypeName::nType));
  auto& factory = CPZARRecordFactory::GetInstance();
  std::size_t registrations = 0;
  for (const Row& row : rows) {
    for (const E_VER version : {VER_130, VER_140, VER_150}) {
      const bool expected =
          std::string(row.versions).find(char('0' + version)) != std::string::npos;
      const auto* map = factory.GetRegisteredMap(version);
      const bool registered = map && map->count(row.type) == 1;
      EXPECT_EQ(registered, expected) << row.type << " " << version;
      if (!registered) continue;
      ++registrations;
      const auto record = map->at(row.type)();
      EXPECT_EQ(record->GetType(), row.type);
      for (const Row& other : rows)
        EXPECT_EQ(other.isClass(record.get()), &other == &row) << row.type << " as " << other.type;
    }
  }
  EXPECT_EQ(registrations, 40u);
  // A record that only claims the type, as a test record does, is no record of that class.
  pzar_test::CSkipRecord impostor;
  impostor.SetHeader({PZAR_RECORD_TYPE::VECTOR, 0});
  EXPECT_EQ(PZARRecordCast<CPZARRecordVector>(&impostor), nullptr);
}

}  // namespace
