#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "base/MsgOut.h"

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

TEST_F(MsgOutTest, SinkReceivesFormattedTextAndLevel) {
  nsMsgOutFormat(L"%d files in %s\n", 3, L"dir");
  nsMsgOutFormatD(L"record %S", "Node");
  nsMsgOutWarning(L"in %s at line %d\n", L"PZARFile", 244);
  const std::vector<Message> expected = {{EMsgLevel::Info, L"3 files in dir\n"},
                                         {EMsgLevel::Diagnostic, L"record Node"},
                                         {EMsgLevel::Warning, L"in PZARFile at line 244\n"}};
  EXPECT_EQ(m_got, expected);
}

TEST_F(MsgOutTest, ReplacingReturnsThePreviousSink) {
  std::vector<Message> other;
  MsgSink recording =
      SetMsgSink([&](EMsgLevel l, const CString& t) { other.emplace_back(l, t.str()); });
  nsMsgOutFormat(L"to other");
  ASSERT_TRUE(recording);
  recording(EMsgLevel::Info, L"direct");
  EXPECT_EQ(other, (std::vector<Message>{{EMsgLevel::Info, L"to other"}}));
  EXPECT_EQ(m_got, (std::vector<Message>{{EMsgLevel::Info, L"direct"}}));
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

}  // namespace
