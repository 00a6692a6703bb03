#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "base/MessageTable.h"
#include "base/MsgOut.h"
#include "base/Profiler.h"
#include "base/TestEnv.h"

namespace {

using namespace zar::lib;
using Message = std::pair<EMsgLevel, std::wstring>;

class MsgOutTest : public ::testing::Test {
protected:
  void SetUp() override {
    SetMsgSink(
        [this](EMsgLevel level, const CString& text) { m_got.emplace_back(level, text.str()); });
  }
  void TearDown() override { SetMsgSink(nullptr); }

  std::vector<Message> m_got;
};

// Replacing the sink returns the previous one.
TEST_F(MsgOutTest, SinkReceivesFormattedTextAndLevel) {
  nsMsgOutFormat(L"%d files in %s\n", 3, L"dir");
  nsMsgOutFormatD(L"record %S", "Node");
  nsMsgOutWarning(L"in %s at line %d\n", L"PZARFile", 244);
  std::vector<Message> other;
  MsgSink recording =
      SetMsgSink([&](EMsgLevel l, const CString& t) { other.emplace_back(l, t.str()); });
  nsMsgOutFormat(L"to other");
  ASSERT_TRUE(recording);
  recording(EMsgLevel::Info, L"direct");
  EXPECT_EQ(other, (std::vector<Message>{{EMsgLevel::Info, L"to other"}}));
  EXPECT_EQ(m_got, (std::vector<Message>{{EMsgLevel::Info, L"3 files in dir\n"},
                                         {EMsgLevel::Diagnostic, L"record Node"},
                                         {EMsgLevel::Warning, L"in PZARFile at line 244\n"},
                                         {EMsgLevel::Info, L"direct"}}));
}

TEST_F(MsgOutTest, DefaultSinkWritesWarningsToStandardError) {
  SetMsgSink(nullptr);
  ::testing::internal::CaptureStderr();
  nsMsgOutWarning(L"careful %d\n", 7);
  nsMsgOutFormat(L"quiet\n");
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("careful 7\n"), std::string::npos);
  if (!std::getenv("PVK_VERBOSE")) {
    EXPECT_EQ(err.find("quiet"), std::string::npos);
  }
  EXPECT_TRUE(m_got.empty());
}

TEST_F(MsgOutTest, ProfilerLogsLabelAndSecondsOnlyWhenSwitchedOn) {
  SetTestEnvValue(L"Profile_Time", L"no");
  { MProfiler quiet("Unit", 1, L"Quiet scope"); }
  SetTestEnvValue(L"Profile_Time", L"YES");
  { MProfiler loud("Unit", 2, L"Loud scope"); }
  ClearTestEnvValue(L"Profile_Time");
  ASSERT_EQ(m_got.size(), 1u);
  EXPECT_EQ(m_got[0].second.find(L"Loud scope : "), 0u);
}

TEST(TestEnv, NameMapsToItsVariableAndAnOverrideBeatsIt) {
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
  ::unsetenv("PVK_BATCH_OUTPUT");
}

// Built-in texts are written or derived from the key; an override file replaces and adds.
TEST(MessageTable, BuiltInTextsAndOverrides) {
  const TMsgText texts[] = {{L"IDS_VRES_T1_TRANSLATION", nullptr},
                            {L"IDS_LEGEND_VRES_VON_MISES_STRESS", nullptr},
                            {L"IDS_TEST_WRITTEN_OUT", L"Written out"}};
  MMSGFunction::RegisterTexts(texts, std::size(texts));
  EXPECT_EQ(MMSGFunction::GetValue(L"IDS_VRES_T1_TRANSLATION"), L"T1 Translation");
  EXPECT_EQ(MMSGFunction::GetValue(L"IDS_LEGEND_VRES_VON_MISES_STRESS"), L"Von Mises Stress");
  EXPECT_EQ(MMSGFunction::GetValue(L"IDS_NOT_A_KEY_ANYWHERE"), L"IDS_NOT_A_KEY_ANYWHERE");
  EXPECT_EQ(MMSGFunction::TextFromKey(L"IDS_VRES_3D__FORCE"), L"3D Force");
  const auto path = std::filesystem::temp_directory_path() / "pvk_msg_override.txt";
  std::ofstream(path, std::ios::binary) << "IDS_VRES_T1_TRANSLATION\tVerschiebung T1\r\n"
                                        << "no tab on this line\n"
                                        << "IDS_NEW_KEY\tline\\nnext \xC3\xA9\n";
  setenv("PVK_MESSAGE_FILE", path.c_str(), 1);
  MMSGFunction::ReloadOverrides();
  EXPECT_EQ(MMSGFunction::GetValue(L"IDS_VRES_T1_TRANSLATION"), L"Verschiebung T1");
  EXPECT_EQ(MMSGFunction::GetValue(L"IDS_NEW_KEY"), L"line\nnext \u00E9");
  EXPECT_EQ(MMSGFunction::GetValue(L"IDS_TEST_WRITTEN_OUT"), L"Written out");
  std::filesystem::remove(path);
  unsetenv("PVK_MESSAGE_FILE");
  MMSGFunction::ReloadOverrides();
}

}  // namespace
