#include <gtest/gtest.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "base/MessageLoop.h"
#include "base/Wnd.h"

namespace {

using zar::MMessageLoop;
using namespace std::chrono_literals;

struct TDelivery {
  unsigned message;
  std::uint64_t wParam;
  std::int64_t lParam;
};

// Records what it receives into a list that outlives it.
class CRecordingWnd : public CWnd {
public:
  explicit CRecordingWnd(std::vector<TDelivery>& log) : m_log(log) {
    CreateMessageWindow(AfxRegisterWndClass(0), L"Recorder");
  }
  std::function<void()> m_onMessage;

protected:
  std::int64_t WindowProc(unsigned message, std::uint64_t wParam, std::int64_t lParam) override {
    m_log.push_back({message, wParam, lParam});
    if (m_onMessage) m_onMessage();
    return CWnd::WindowProc(message, wParam, lParam);
  }

private:
  std::vector<TDelivery>& m_log;
};

std::size_t CountTimer(const std::vector<TDelivery>& log, std::uint64_t id) {
  return std::count_if(log.begin(), log.end(), [id](const TDelivery& d) {
    return d.message == WM_TIMER && d.wParam == id;
  });
}

bool FdReadable(int fd, int timeoutMs) {
  pollfd pfd{fd, POLLIN, 0};
  return ::poll(&pfd, 1, timeoutMs) == 1;
}

TEST(CMessageLoopTest, TimersTickUntilKilled) {
  std::vector<TDelivery> log;
  CRecordingWnd wnd(log);
  ASSERT_EQ(wnd.SetTimer(7, 1), 7u);
  ASSERT_EQ(wnd.SetTimer(8, 2), 8u);
  const auto pumpUntil = [&](std::size_t ticks7, std::size_t ticks8) {
    for (int i = 0; i < 200 && (CountTimer(log, 7) < ticks7 || CountTimer(log, 8) < ticks8); ++i)
      MMessageLoop::ForThisThread().Pump(20);
  };
  pumpUntil(3, 2);
  EXPECT_GE(CountTimer(log, 8), 2u);
  EXPECT_EQ(CountTimer(log, 7) + CountTimer(log, 8), log.size());
  EXPECT_TRUE(wnd.KillTimer(7));
  const std::size_t killed = CountTimer(log, 7);
  pumpUntil(0, CountTimer(log, 8) + 3);
  EXPECT_EQ(CountTimer(log, 7), killed);
}

TEST(CMessageLoopTest, BadRequestsAreRefused) {
  std::vector<TDelivery> log;
  CWnd none;
  CRecordingWnd wnd(log);
  const int fd = MMessageLoop::ForThisThread().GetFd();
  struct {
    const char* what;
    bool result;
    bool expected;
  } const cases[] = {
      {"timer without a window", none.SetTimer(1, 1) != 0, false},
      {"kill without a window", none.KillTimer(1), false},
      {"post without a window", none.PostMessage(WM_USER), false},
      {"destroy without a window", none.DestroyWindow(), false},
      {"timer id 0", wnd.SetTimer(0, 1) != 0, false},
      {"create twice", wnd.CreateMessageWindow(L"a", L"b"), false},
      {"kill an unknown id", wnd.KillTimer(99), false},
      {"huge interval", wnd.SetTimer(3, UINT32_MAX) == 3, true},
      {"huge interval is not due", FdReadable(fd, 3), false},
      {"kill it", wnd.KillTimer(3), true},
      {"kill it again", wnd.KillTimer(3), false},
      {"was enabled", wnd.EnableWindow(false), false},
      {"disabled", wnd.IsWindowEnabled(), false},
      {"was disabled", wnd.EnableWindow(true), true},
  };
  for (const auto& c : cases) EXPECT_EQ(c.result, c.expected) << c.what;
  EXPECT_TRUE(log.empty());
}

// The host polls the descriptor and pumps without waiting; a message posted while handling
// waits for the next pump.
TEST(CMessageLoopTest, HostPollsPostedMessagesAndTimers) {
  std::vector<TDelivery> log;
  CRecordingWnd wnd(log);
  MMessageLoop& loop = MMessageLoop::ForThisThread();
  ASSERT_TRUE(wnd.PostMessage(WM_USER + 1, 10, -1));
  ASSERT_TRUE(wnd.PostMessage(WM_USER + 2, 20, -2));
  wnd.m_onMessage = [&] {
    if (log.back().message == WM_USER + 2) wnd.PostMessage(WM_USER + 3);
  };
  EXPECT_TRUE(FdReadable(loop.GetFd(), 0));
  EXPECT_EQ(loop.Pump(0), 2);
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].message, WM_USER + 1);
  EXPECT_EQ(log[1].wParam, 20u);
  EXPECT_EQ(log[1].lParam, -2);
  EXPECT_EQ(loop.Pump(0), 1);
  EXPECT_FALSE(FdReadable(loop.GetFd(), 0));
  EXPECT_EQ(loop.Pump(-1), 0);  // nothing scheduled: returns instead of waiting for ever

  ASSERT_EQ(wnd.SetTimer(5, 1), 5u);
  ASSERT_TRUE(FdReadable(loop.GetFd(), 1000));
  EXPECT_EQ(loop.Pump(0), 1);
  EXPECT_EQ(CountTimer(log, 5), 1u);
}

// A handler destroys another window whose timer is due in the same pump: the destroyed
// window gets neither that tick nor a message queued before it was destroyed.
TEST(CMessageLoopTest, DestroyedWindowsGetNothing) {
  std::vector<TDelivery> firstLog, secondLog;
  CRecordingWnd first(firstLog);
  auto second = std::make_unique<CRecordingWnd>(secondLog);
  first.m_onMessage = [&] { second.reset(); };
  ASSERT_TRUE(second->PostMessage(WM_USER));
  ASSERT_NE(second->SetTimer(1, 1), 0u);
  EXPECT_TRUE(second->DestroyWindow());
  ASSERT_TRUE(second->CreateMessageWindow(L"again", L"again"));
  ASSERT_NE(first.SetTimer(1, 1), 0u);
  ASSERT_NE(second->SetTimer(1, 1), 0u);
  std::this_thread::sleep_for(3ms);
  EXPECT_EQ(MMessageLoop::ForThisThread().Pump(0), 1);
  EXPECT_EQ(second, nullptr);
  EXPECT_EQ(firstLog.size(), 1u);
  EXPECT_TRUE(secondLog.empty());
}

// The window outlives the thread that created it: the thread's loop goes with the thread and
// takes the window's handle and timers with it.
TEST(CMessageLoopTest, WindowOutlivingItsOtherThreadIsDetached) {
  std::vector<TDelivery> log;
  std::unique_ptr<CRecordingWnd> wnd;
  std::thread other([&] {
    wnd = std::make_unique<CRecordingWnd>(log);
    wnd->SetTimer(1, 1);
  });
  other.join();
  EXPECT_EQ(wnd->GetSafeHwnd(), 0u);
  EXPECT_EQ(wnd->SetTimer(1, 1), 0u);
  EXPECT_FALSE(wnd->DestroyWindow());
  EXPECT_TRUE(log.empty());
}

}  // namespace
