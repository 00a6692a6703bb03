#pragma once
// Shows the host's busy indicator for the life of the object. The host installs the hook;
// without one nothing happens.
#include "qve_pvk_export.h"

class PVK_API CWaitCursor {
public:
  // Called with true when a wait starts and with false when it ends.
  using Hook = void (*)(bool busy);
  static Hook SetHook(Hook hook);

  CWaitCursor();
  ~CWaitCursor();
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;
  void Restore();
};
