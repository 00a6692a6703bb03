#include <gtest/gtest.h>

#include <ctime>
#include <optional>

#include "EnvOverride.h"
#include "base/Time.h"

namespace {

class CTimeTest : public ::testing::Test {
protected:
  void TearDown() override {
    m_tz.reset();
    ::tzset();
  }
  // The time zone for the rest of the test.
  void UseZone(const char* tz) {
    m_tz.emplace("TZ", tz);
    ::tzset();
  }

private:
  std::optional<EnvOverride> m_tz;
};

// Fields are local time; a long format result grows its buffer.
TEST_F(CTimeTest, FieldsAreLocalTimeAndFormatGrows) {
  UseZone("UTC0");
  const CTime epoch(0);
  EXPECT_EQ(epoch.Format(L"%Y-%m-%d %H:%M:%S"), L"1970-01-01 00:00:00");
  std::wstring fmt, expected;
  for (int i = 0; i < 100; ++i) fmt += L"%Y", expected += L"1970";
  EXPECT_EQ(epoch.Format(fmt.c_str()), expected.c_str());
  EXPECT_TRUE(epoch.Format(L"").IsEmpty());
  UseZone("JST-9");
  EXPECT_EQ(epoch.GetHour(), 9);
  EXPECT_EQ(epoch.GetDay(), 1);
}

TEST_F(CTimeTest, ComponentsRoundTripBeyond2038) {
  UseZone("CET-1CEST,M3.5.0,M10.5.0/3");
  const CTime t(2100, 7, 31, 23, 59, 58);
  EXPECT_GT(t.GetTime(), INT32_MAX);
  EXPECT_EQ((std::vector<int>{t.GetYear(), t.GetMonth(), t.GetDay(), t.GetHour(), t.GetMinute(),
                              t.GetSecond()}),
            (std::vector<int>{2100, 7, 31, 23, 59, 58}));
  UseZone("UTC0");
  EXPECT_EQ(t.GetTime(), CTime(2100, 7, 31, 21, 59, 58).GetTime());  // summer time is UTC+2
}

TEST_F(CTimeTest, ArithmeticAndOrder) {
  const CTime a(1000), b(1090);
  EXPECT_EQ((b - a).GetTotalSeconds(), 90);
  EXPECT_EQ((a - b).GetTotalMinutes(), -1);
  EXPECT_EQ(a + CTimeSpan(90), b);
  EXPECT_EQ(b - CTimeSpan(90), a);
  EXPECT_LT(a, b);
  EXPECT_NE(a, b);
  const std::int64_t before = std::time(nullptr);
  const CTime now = CTime::GetCurrentTime();
  EXPECT_LE(before, now.GetTime());
  EXPECT_LE(now.GetTime(), std::time(nullptr));
}

}  // namespace
