#include <gtest/gtest.h>

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

TEST(CPZARRecordFactory, FirstRegistrationStaysUntilUnregistered) {
  auto& factory = CPZARRecordFactory::GetInstance();
  EXPECT_EQ(factory.Register(7001, VER_130, &Make<1>), 1);
  EXPECT_EQ(factory.Register(7001, VER_130, &Make<2>), 0);
  EXPECT_EQ(CreatedTag(7001, VER_130), 1);
  ASSERT_NE(factory.GetRegisteredMap(VER_130), nullptr);
  EXPECT_EQ(factory.GetRegisteredMap(VER_130)->count(7001), 1u);
  EXPECT_EQ(factory.Unregister(7001, VER_130), 1);
  EXPECT_EQ(factory.Unregister(7001, VER_130), 0);
  EXPECT_EQ(CreatedTag(7001, VER_130), -1);
}

TEST(CPZARRecordFactory, FallsBackToTheHighestVersionThatHasTheType) {
  auto& factory = CPZARRecordFactory::GetInstance();
  ASSERT_EQ(factory.Register(7002, VER_140, &Make<140>), 1);
  EXPECT_EQ(CreatedTag(7002, VER_130), 140);
  EXPECT_EQ(CreatedTag(7002, VER_150), 140);
  // Registrations made after the first fallback are seen.
  ASSERT_EQ(factory.Register(7002, VER_150, &Make<150>), 1);
  EXPECT_EQ(CreatedTag(7002, VER_130), 150);
  EXPECT_EQ(CreatedTag(7002, VER_140), 140);
  ASSERT_EQ(factory.Register(7002, VER_130, &Make<130>), 1);
  EXPECT_EQ(CreatedTag(7002, VER_130), 130);
  EXPECT_EQ(CreatedTag(7003, VER_140), -1);
  for (E_VER v : {VER_130, VER_140, VER_150}) factory.Unregister(7002, v);
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
