#include "base/ProgressBar.h"
#include "base/WaitCursor.h"

namespace zar_interface {
IProgressBar* IProgressBar::m_pInstance = nullptr;
}

namespace {
CWaitCursor::Hook g_waitHook = nullptr;
}

CWaitCursor::Hook CWaitCursor::SetHook(Hook hook) {
  Hook old = g_waitHook;
  g_waitHook = hook;
  return old;
}

CWaitCursor::CWaitCursor() {
  if (g_waitHook) g_waitHook(true);
}

CWaitCursor::~CWaitCursor() {
  if (g_waitHook) g_waitHook(false);
}

void CWaitCursor::Restore() {
  if (g_waitHook) g_waitHook(true);
}
