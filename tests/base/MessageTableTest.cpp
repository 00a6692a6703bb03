#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "base/MessageTable.h"
#include "base/MsgOut.h"
#include "base/Profiler.h"
#include "base/TestEnv.h"

namespace {

using zar::lib::MMSGFunction;

const zar::lib::TMsgText kTexts[] = {
    {L"IDS_VRES_T1_TRANSLATION", nullptr},
    {L"IDS_LEGEND_VRES_VON_MISES_STRESS", nullptr},
    {L"IDS_TEST_WRITTEN_OUT", L"Written out"},
};

class MessageTable : public ::testing::Test {
protected:
  void SetUp() override { MMSGFunction::RegisterTexts(kTexts, std::size(kTexts)); }
  void TearDown() override {
    unsetenv("PVK_MESSAGE_FILE");
    MMSGFunction::ReloadOverrides();
  }
};

TEST_F(MessageTable, BuiltInTextsAreWrittenOrDerivedFromTheKey) {
  EXPECT_EQ(MMSGFunction::GetValue(L"IDS_VRES_T1_TRANSLATION"), L"T1 Translation");
  EXPECT_EQ(MMSGFunction::GetValue(L"IDS_LEGEND_VRES_VON_MISES_STRESS"), L"Von Mises Stress");
  EXPECT_EQ(MMSGFunction::GetValue(L"IDS_TEST_WRITTEN_OUT"), L"Written out");
  EXPECT_EQ(MMSGFunction::GetValue(L"IDS_NOT_A_KEY_ANYWHERE"), L"IDS_NOT_A_KEY_ANYWHERE");
  EXPECT_EQ(MMSGFunction::TextFromKey(L"IDS_VRES_3D__FORCE"), L"3D Force");
}

TEST_F(MessageTable, OverrideFileReplacesAndAddsTexts) {
  const auto path = std::filesystem::temp_directory_path() / "pvk_msg_override.txt";
  {
    std::ofstream out(path, std::ios::binary);
    out << "IDS_VRES_T1_TRANSLATION\tVerschiebung T1\r\n"
        << "no tab on this line\n"
        << "IDS_NEW_KEY\tline\\nnext \xC3\xA9\n";
  }
  setenv("PVK_MESSAGE_FILE", path.c_str(), 1);
  MMSGFunction::ReloadOverrides();
  EXPECT_EQ(MMSGFunction::GetValue(L"IDS_VRES_T1_TRANSLATION"), L"Verschiebung T1");
  EXPECT_EQ(MMSGFunction::GetValue(L"IDS_NEW_KEY"), L"line\nnext \u00E9");
  EXPECT_EQ(MMSGFunction::GetValue(L"IDS_TEST_WRITTEN_OUT"), L"Written out");
  std::filesystem::remove(path);
}

TEST(Profiler, LogsLabelAndSecondsOnlyWhenSwitchedOn) {
  std::vector<CString> lines;
  auto old = zar::lib::SetMsgSink(
      [&](zar::lib::EMsgLevel, const CString& text) { lines.push_back(text); });
  zar::lib::SetTestEnvValue(L"Profile_Time", L"no");
  { zar::lib::MProfiler quiet("Unit", 1, L"Quiet scope"); }
  zar::lib::SetTestEnvValue(L"Profile_Time", L"YES");
  { zar::lib::MProfiler loud("Unit", 2, L"Loud scope"); }
  zar::lib::ClearTestEnvValue(L"Profile_Time");
  zar::lib::SetMsgSink(std::move(old));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].Find(L"Loud scope : "), 0);
}

}  // namespace
