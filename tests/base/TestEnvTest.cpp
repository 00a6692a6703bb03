#include <gtest/gtest.h>

#include <cstdlib>

#include "base/TestEnv.h"

namespace {

using namespace zar::lib;

class TestEnvTest : public ::testing::Test {
protected:
  void TearDown() override {
    ::unsetenv("PVK_BATCH_OUTPUT");
    ClearTestEnvValue(L"Batch Output");
  }
};

TEST_F(TestEnvTest, NameMapsToItsVariableAndAnOverrideBeatsIt) {
  EXPECT_EQ(GetTestEnvVariableName(L"Batch Output"), "PVK_BATCH_OUTPUT");
  EXPECT_EQ(GetTestEnvVariableName(L"Profile_Time"), "PVK_PROFILE_TIME");
  EXPECT_EQ(GetTestEnvVariableName(L"caf\u00e9"), "PVK_CAF_");
  // An override beats the environment, which is UTF-8.
  EXPECT_TRUE(GetTestEnvValue(L"Batch Output").IsEmpty());
  ::setenv("PVK_BATCH_OUTPUT", "yes", 1);
  EXPECT_EQ(GetTestEnvValue(L"Batch Output"), L"yes");
  SetTestEnvValue(L"Batch Output", L"NO");
  EXPECT_EQ(GetTestEnvValue(L"Batch Output"), L"NO");
  SetTestEnvValue(L"Batch Output", L"");
  EXPECT_TRUE(GetTestEnvValue(L"Batch Output").IsEmpty());  // an empty override still wins
  ClearTestEnvValue(L"Batch Output");
  EXPECT_EQ(GetTestEnvValue(L"Batch Output"), L"yes");
  ::setenv("PVK_BATCH_OUTPUT", "\xC3\xA9t\xC3\xA9", 1);
  EXPECT_EQ(GetTestEnvValue(L"Batch Output"), L"\u00e9t\u00e9");
}

}  // namespace
