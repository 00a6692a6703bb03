#include "base/MessageLoop.h"

#include <poll.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "base/Wnd.h"

namespace zar {

namespace {

// An absolute expiry in the past: the descriptor becomes readable at once (a zero expiry
// would disarm it instead).
constexpr timespec kAlreadyDue{0, 1};

timespec ToTimespec(std::chrono::steady_clock::time_point t) {
  const auto ns =
      std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count();
  if (ns <= 0) return kAlreadyDue;
  constexpr std::int64_t kNsPerSecond = 1'000'000'000;
  return {static_cast<time_t>(ns / kNsPerSecond), static_cast<long>(ns % kNsPerSecond)};
}

}  // namespace

MMessageLoop& MMessageLoop::ForThisThread() {
  thread_local MMessageLoop loop;
  return loop;
}

// steady_clock is CLOCK_MONOTONIC on Linux, so deadlines and the descriptor share one clock.
MMessageLoop::MMessageLoop()
    : m_owner(std::this_thread::get_id()),
      m_fd(::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC)) {}

// The thread is ending: windows that outlive it lose their handle and timers.
MMessageLoop::~MMessageLoop() {
  for (auto& [hWnd, pWnd] : m_windows) {
    pWnd->m_pLoop = nullptr;
    pWnd->m_hWnd = 0;
  }
  if (m_fd >= 0) ::close(m_fd);
}

std::uint64_t MMessageLoop::Attach(CWnd* pWnd) {
  if (!IsOwnerThread() || !pWnd) return 0;
  const std::uint64_t hWnd = m_nNextHandle++;
  m_windows.emplace(hWnd, pWnd);
  return hWnd;
}

void MMessageLoop::Detach(std::uint64_t hWnd) {
  m_windows.erase(hWnd);
  std::erase_if(m_timers, [hWnd](const auto& t) { return t.first.first == hWnd; });
  std::erase_if(m_queue, [hWnd](const TMessage& m) { return m.hWnd == hWnd; });
  Rearm();
}

bool MMessageLoop::SetTimer(std::uint64_t hWnd, std::uint64_t nIDEvent, std::uint32_t nElapse) {
  if (!IsOwnerThread() || !m_windows.contains(hWnd)) return false;
  const std::chrono::milliseconds interval(std::clamp(nElapse, kMinInterval, kMaxInterval));
  m_timers[{hWnd, nIDEvent}] = {interval, Clock::now() + interval};
  Rearm();
  return true;
}

bool MMessageLoop::KillTimer(std::uint64_t hWnd, std::uint64_t nIDEvent) {
  if (!IsOwnerThread() || m_timers.erase({hWnd, nIDEvent}) == 0) return false;
  Rearm();
  return true;
}

bool MMessageLoop::PostMessage(std::uint64_t hWnd, unsigned message, std::uint64_t wParam,
                               std::int64_t lParam) {
  if (!IsOwnerThread() || !m_windows.contains(hWnd)) return false;
  m_queue.push_back({hWnd, message, wParam, lParam});
  Rearm();
  return true;
}

int MMessageLoop::Pump(int timeoutMs) {
  if (!IsOwnerThread()) return kNotOwner;
  const int waitMs = WaitMs(timeoutMs);
  if (waitMs != 0) {
    pollfd pfd{m_fd, POLLIN, 0};
    ::poll(&pfd, m_fd >= 0 ? 1 : 0, waitMs);  // an interrupted wait only ends early
  }
  if (m_fd >= 0) {
    std::uint64_t expirations = 0;
    [[maybe_unused]] const auto n = ::read(m_fd, &expirations, sizeof expirations);
  }
  const Clock::time_point now = Clock::now();
  const int count = DispatchMessages() + DispatchTimers(now);
  Rearm();
  return count;
}

// How long a pump may wait: not past the earliest timer, not at all while messages wait.
int MMessageLoop::WaitMs(int timeoutMs) const {
  if (!m_queue.empty()) return 0;
  if (m_timers.empty()) return timeoutMs < 0 ? 0 : timeoutMs;
  // Rounded up, so that the wait never ends just before the timer is due.
  const auto untilDue =
      std::chrono::ceil<std::chrono::milliseconds>(NextDue() - Clock::now()).count();
  const auto bounded = std::clamp<std::int64_t>(untilDue, 0, std::numeric_limits<int>::max());
  return timeoutMs < 0 ? static_cast<int>(bounded)
                       : static_cast<int>(std::min<std::int64_t>(bounded, timeoutMs));
}

// Only the messages queued before dispatch starts: a handler that posts again waits for the
// next pump instead of keeping this one busy for ever.
int MMessageLoop::DispatchMessages() {
  std::deque<TMessage> batch;
  batch.swap(m_queue);
  return static_cast<int>(std::count_if(batch.begin(), batch.end(),
                                        [this](const TMessage& msg) { return Dispatch(msg); }));
}

// Every timer is looked up again before its tick: an earlier handler may have killed or
// replaced it, or destroyed its window. A late timer ticks once, not once per missed period.
int MMessageLoop::DispatchTimers(Clock::time_point now) {
  std::vector<TimerKey> due;
  for (const auto& [key, timer] : m_timers)
    if (timer.due <= now) due.push_back(key);
  int count = 0;
  for (const TimerKey& key : due) {
    const auto it = m_timers.find(key);
    if (it == m_timers.end() || it->second.due > now) continue;
    it->second.due = now + it->second.interval;
    if (Dispatch({key.first, WM_TIMER, key.second, 0})) ++count;
  }
  return count;
}

bool MMessageLoop::Dispatch(const TMessage& msg) {
  const auto it = m_windows.find(msg.hWnd);
  if (it == m_windows.end()) return false;
  it->second->WindowProc(msg.message, msg.wParam, msg.lParam);
  return true;
}

MMessageLoop::Clock::time_point MMessageLoop::NextDue() const {
  Clock::time_point due = Clock::time_point::max();
  for (const auto& [key, timer] : m_timers) due = std::min(due, timer.due);
  return due;
}

// Keeps the descriptor readable exactly while something is due, for hosts that poll it.
void MMessageLoop::Rearm() {
  if (m_fd < 0) return;
  itimerspec due{};
  if (!m_queue.empty()) {
    due.it_value = kAlreadyDue;
  } else if (!m_timers.empty()) {
    due.it_value = ToTimespec(NextDue());
  }
  ::timerfd_settime(m_fd, TFD_TIMER_ABSTIME, &due, nullptr);
}

}  // namespace zar
