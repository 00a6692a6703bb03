#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

#include "base/MessageLoop.h"
#include "render/AnimTimer.h"

namespace {

using zar::MMessageLoop;
using namespace std::chrono_literals;

struct TTick {
  int callback;
  std::uint64_t arg;
  std::thread::id thread;
};

// The callbacks are plain functions, so what they see goes to one list.
std::vector<TTick> g_ticks;

void First(std::uint64_t arg) { g_ticks.push_back({1, arg, std::this_thread::get_id()}); }
void Second(std::uint64_t arg) { g_ticks.push_back({2, arg, std::this_thread::get_id()}); }

class CAnimTimerTest : public ::testing::Test {
protected:
  void SetUp() override { g_ticks.clear(); }

  // Pumps until `count` more ticks arrived; bounded, so a fault fails instead of hanging.
  static void PumpForTicks(std::size_t count) {
    constexpr int kMaxPumps = 200;
    const std::size_t target = g_ticks.size() + count;
    for (int i = 0; i < kMaxPumps && g_ticks.size() < target; ++i)
      MMessageLoop::ForThisThread().Pump(20);
  }
  // A few short pumps after a timer would long have been due.
  static int PumpBriefly() {
    std::this_thread::sleep_for(3ms);
    int dispatched = 0;
    for (int i = 0; i < 3; ++i) dispatched += MMessageLoop::ForThisThread().Pump(2);
    return dispatched;
  }
};

TEST_F(CAnimTimerTest, TicksOnTheOwningThreadUntilStopped) {
  CAnimTimer timer;
  EXPECT_EQ(timer.GetWindowText(), CString(L"CAnimTimer"));
  EXPECT_FALSE(timer.KillTimer(CAnimTimer::kAnimTimerId));  // no timer runs yet
  timer.Start(1, &First, 42);
  PumpForTicks(3);
  ASSERT_GE(g_ticks.size(), 3u);
  for (const TTick& t : g_ticks) {
    EXPECT_EQ(t.callback, 1);
    EXPECT_EQ(t.arg, 42u);
    EXPECT_EQ(t.thread, std::this_thread::get_id());
  }

  timer.Start(2, &Second, 7);  // the restart replaces callback and argument
  const std::size_t before = g_ticks.size();
  PumpForTicks(2);
  ASSERT_GE(g_ticks.size(), before + 2);
  for (std::size_t i = before; i < g_ticks.size(); ++i) {
    EXPECT_EQ(g_ticks[i].callback, 2);
    EXPECT_EQ(g_ticks[i].arg, 7u);
  }

  timer.Stop();
  const std::size_t stopped = g_ticks.size();
  EXPECT_EQ(PumpBriefly(), 0);
  EXPECT_EQ(g_ticks.size(), stopped);
  EXPECT_FALSE(timer.KillTimer(CAnimTimer::kAnimTimerId));
}

TEST_F(CAnimTimerTest, NullCallbackTicksSilently) {
  CAnimTimer timer;
  timer.Start(0, nullptr, 9);
  EXPECT_GT(PumpBriefly(), 0);
  EXPECT_TRUE(g_ticks.empty());
}

// Destroyed while its tick is due: nothing may reach the freed timer or its callback.
TEST_F(CAnimTimerTest, NoTickAfterDestruction) {
  auto timer = std::make_unique<CAnimTimer>();
  timer->Start(1, &First, 1);
  std::this_thread::sleep_for(3ms);
  timer.reset();
  EXPECT_EQ(PumpBriefly(), 0);
  EXPECT_TRUE(g_ticks.empty());
}

TEST_F(CAnimTimerTest, PumpFromOtherThreadDeliversNothing) {
  CAnimTimer timer;
  timer.Start(1, &First, 5);
  std::this_thread::sleep_for(3ms);
  MMessageLoop& loop = MMessageLoop::ForThisThread();
  int foreign = 0, own = 0;
  bool killed = true;
  std::thread other([&] {
    foreign = loop.Pump(5);
    own = MMessageLoop::ForThisThread().Pump(5);
    killed = timer.KillTimer(CAnimTimer::kAnimTimerId);
  });
  other.join();
  EXPECT_EQ(foreign, MMessageLoop::kNotOwner);
  EXPECT_EQ(own, 0);
  EXPECT_FALSE(killed);
  EXPECT_TRUE(g_ticks.empty());
  PumpForTicks(1);
  ASSERT_FALSE(g_ticks.empty());
  EXPECT_EQ(g_ticks[0].thread, std::this_thread::get_id());
}

}  // namespace
