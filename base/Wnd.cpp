#include "base/Wnd.h"

#include "base/MessageLoop.h"

CString AfxRegisterWndClass(unsigned nClassStyle) {
  CString strName;
  strName.Format(L"Afx:%x", nClassStyle);
  return strName;
}

CWnd::~CWnd() { DestroyWindow(); }

bool CWnd::CreateMessageWindow(const CString& strClassName, const CString& strWindowName) {
  if (m_hWnd != 0) return false;
  zar::MMessageLoop& loop = zar::MMessageLoop::ForThisThread();
  m_hWnd = loop.Attach(this);
  if (m_hWnd == 0) return false;
  m_pLoop = &loop;
  m_strClassName = strClassName;
  m_strWindowName = strWindowName;
  return true;
}

bool CWnd::DestroyWindow() {
  if (m_hWnd == 0) return false;
  m_pLoop->Detach(m_hWnd);
  m_pLoop = nullptr;
  m_hWnd = 0;
  return true;
}

std::uint64_t CWnd::SetTimer(std::uint64_t nIDEvent, std::uint32_t nElapse) {
  if (m_hWnd == 0 || nIDEvent == 0) return 0;
  return m_pLoop->SetTimer(m_hWnd, nIDEvent, nElapse) ? nIDEvent : 0;
}

bool CWnd::KillTimer(std::uint64_t nIDEvent) {
  return m_hWnd != 0 && m_pLoop->KillTimer(m_hWnd, nIDEvent);
}

bool CWnd::PostMessage(unsigned message, std::uint64_t wParam, std::int64_t lParam) {
  return m_hWnd != 0 && m_pLoop->PostMessage(m_hWnd, message, wParam, lParam);
}

bool CWnd::EnableWindow(bool bEnable) {
  const bool bWasDisabled = !m_bEnabled;
  m_bEnabled = bEnable;
  return bWasDisabled;
}

std::int64_t CWnd::WindowProc(unsigned message, std::uint64_t wParam, std::int64_t /*lParam*/) {
  if (message == WM_TIMER) OnTimer(wParam);
  return 0;
}

void CWnd::OnTimer(std::uint64_t /*nIDEvent*/) {}
