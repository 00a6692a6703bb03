#pragma once
// Window timers and posted messages: a single-threaded message loop that the host pumps on its
// user-interface thread, or polls through one descriptor inside its own event loop.
//
// Every thread has its own loop, created on first use; a window belongs to the loop of the
// thread that created it. Only that thread dispatches the loop's messages: a pump, timer or
// post from any other thread is refused and delivers nothing, so callbacks never run on a
// thread the window's owner did not expect, and the loop needs no locks. Windows are
// destroyed on their own thread.
#include <chrono>
#include <cstdint>
#include <deque>
#include <map>
#include <thread>
#include <unordered_map>
#include <utility>

#include "qve_pvk_export.h"

class CWnd;

namespace zar {

class PVK_API MMessageLoop {
public:
  // Pump's result when called from a thread that does not own the loop.
  static constexpr int kNotOwner = -1;
  // Intervals are clamped into this range, as window timers are: 0 ms ticks as fast as
  // allowed, and a huge interval waits about 24.8 days instead of overflowing.
  static constexpr std::uint32_t kMinInterval = 1;
  static constexpr std::uint32_t kMaxInterval = 0x7FFFFFFF;

  // The calling thread's loop.
  static MMessageLoop& ForThisThread();

  ~MMessageLoop();
  MMessageLoop(const MMessageLoop&) = delete;
  MMessageLoop& operator=(const MMessageLoop&) = delete;

  bool IsOwnerThread() const { return std::this_thread::get_id() == m_owner; }

  // Readable while a message or a timer tick is due; the host polls it and then calls
  // Pump(0). -1 when the system gave no timer descriptor (Pump still works).
  int GetFd() const { return m_fd; }

  // Waits up to timeoutMs (negative: until the next timer is due) for something to become due,
  // then dispatches the messages posted before the wait and every timer that is due. Returns
  // the number dispatched; 0 at once when nothing is scheduled and the wait is unbounded;
  // kNotOwner from another thread.
  int Pump(int timeoutMs);

  // Window handles and timers; used by CWnd. All refuse (0 or false) off the owning thread.
  std::uint64_t Attach(CWnd* pWnd);
  void Detach(std::uint64_t hWnd);
  bool SetTimer(std::uint64_t hWnd, std::uint64_t nIDEvent, std::uint32_t nElapse);
  bool KillTimer(std::uint64_t hWnd, std::uint64_t nIDEvent);
  bool PostMessage(std::uint64_t hWnd, unsigned message, std::uint64_t wParam, std::int64_t lParam);

private:
  using Clock = std::chrono::steady_clock;
  using TimerKey = std::pair<std::uint64_t, std::uint64_t>;  // window handle, timer id
  struct TTimer {
    std::chrono::milliseconds interval;
    Clock::time_point due;
  };
  struct TMessage {
    std::uint64_t hWnd;
    unsigned message;
    std::uint64_t wParam;
    std::int64_t lParam;
  };

  MMessageLoop();
  int WaitMs(int timeoutMs) const;
  int DispatchMessages();
  int DispatchTimers(Clock::time_point now);
  bool Dispatch(const TMessage& msg);  // false when the window is gone
  Clock::time_point NextDue() const;
  void Rearm();

  std::thread::id m_owner;
  int m_fd = -1;
  std::uint64_t m_nNextHandle = 1;
  std::unordered_map<std::uint64_t, CWnd*> m_windows;  // not owned
  std::map<TimerKey, TTimer> m_timers;
  std::deque<TMessage> m_queue;
};

}  // namespace zar
