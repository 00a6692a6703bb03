#include <gtest/gtest.h>

#include <string>

#include "TestRecords.h"
#include "resultfile/RecordFactory.h"

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
}

TEST(CPZARRecordFactory, CreateMakesTheMapOfAnUnknownVersion) {
  auto& factory = CPZARRecordFactory::GetInstance();
  const auto version = static_cast<E_VER>(17);
  EXPECT_EQ(factory.GetRegisteredMap(version), nullptr);
  EXPECT_NE(factory.Create(pzar_test::kSkipType, version), nullptr);  // by fallback
  ASSERT_NE(factory.GetRegisteredMap(version), nullptr);
  EXPECT_TRUE(factory.GetRegisteredMap(version)->empty());
}

}  // namespace

// Every record class of the format, by the versions that register it: each creates a record of
// its own type, and nothing else of the format is registered.
TEST(CPZARRecordFactory, RegistersEveryRecordClassOfTheFormat) {
  struct Row {
    std::int32_t type;
    const char* versions;  // '0' 130, '1' 140, '2' 150
  };
  const Row rows[] = {{1, "01"},     {2, "01"},     {3, "01"},     {4, "01"},     {5, "1"},
                      {7, "1"},      {12, "01"},    {13, "01"},    {14, "01"},    {15, "1"},
                      {16, "1"},     {100, "01"},   {10003, "01"}, {10004, "01"}, {10006, "01"},
                      {10008, "01"}, {10009, "01"}, {10010, "01"}, {10012, "01"}, {10013, "2"},
                      {10014, "2"},  {10015, "2"},  {10016, "01"}, {10017, "2"}};
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
    }
  }
  EXPECT_EQ(registrations, 40u);
}
