#pragma once
// A message-only window: it has no picture, only a handle, timers and posted messages, all
// delivered by the message loop of the thread that created it (see base/MessageLoop.h).
#include <cstdint>

#include "base/CString.h"
#include "base/Object.h"
#include "qve_pvk_export.h"

namespace zar {
class MMessageLoop;
}

constexpr unsigned WM_TIMER = 0x0113;
constexpr unsigned WM_USER = 0x0400;

// A window class name for windows that need no style, cursor, brush or icon of their own.
PVK_API CString AfxRegisterWndClass(unsigned nClassStyle);

class PVK_API CWnd : public CObject {
public:
  CWnd() = default;
  ~CWnd() override;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  // Attaches the window to the calling thread's loop. False when it already exists.
  bool CreateMessageWindow(const CString& strClassName, const CString& strWindowName);
  // Kills the window's timers and drops its queued messages. False when there is no window.
  bool DestroyWindow();
  // 0 while there is no window.
  std::uint64_t GetSafeHwnd() const { return m_hWnd; }
  CString GetClassName() const { return m_strClassName; }
  CString GetWindowText() const { return m_strWindowName; }

  // nIDEvent on success; 0 without a window, for id 0, or off the window's thread. Setting an
  // id that runs replaces it.
  std::uint64_t SetTimer(std::uint64_t nIDEvent, std::uint32_t nElapse);
  // False when no such timer runs.
  bool KillTimer(std::uint64_t nIDEvent);
  bool PostMessage(unsigned message, std::uint64_t wParam = 0, std::int64_t lParam = 0);

  // Returns whether the window was disabled before. A disabled window still receives its
  // timers, as only input is withheld from it and a message-only window has none.
  bool EnableWindow(bool bEnable = true);
  bool IsWindowEnabled() const { return m_bEnabled; }

protected:
  // Routes a message: timers to OnTimer, everything else to the default handling.
  virtual std::int64_t WindowProc(unsigned message, std::uint64_t wParam, std::int64_t lParam);
  // Default handling of a timer: nothing.
  virtual void OnTimer(std::uint64_t nIDEvent);

private:
  friend class zar::MMessageLoop;

  zar::MMessageLoop* m_pLoop = nullptr;  // not owned
  std::uint64_t m_hWnd = 0;
  CString m_strClassName;
  CString m_strWindowName;
  bool m_bEnabled = true;
};
