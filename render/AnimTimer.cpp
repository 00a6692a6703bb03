#include "render/AnimTimer.h"

CAnimTimer::CAnimTimer() {
  CreateMessageWindow(AfxRegisterWndClass(0), L"CAnimTimer");
  Init();
}

CAnimTimer::~CAnimTimer() { Init(); }

void CAnimTimer::Start(unsigned int nElapse, Callback pfnCallback, std::uint64_t nArg) {
  Init();
  m_pfnCallback = pfnCallback;
  m_nArg = nArg;
  SetTimer(kAnimTimerId, nElapse);
}

void CAnimTimer::Stop() { Init(); }

void CAnimTimer::OnTimer(std::uint64_t nIDEvent) {
  if (nIDEvent == kAnimTimerId && m_pfnCallback) m_pfnCallback(m_nArg);
  CWnd::OnTimer(nIDEvent);
}

void CAnimTimer::Init() {
  m_pfnCallback = nullptr;
  m_nArg = 0;
  KillTimer(kAnimTimerId);
}
