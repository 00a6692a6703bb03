#pragma once
// The host's dialog behind a post view listener, as far as the library needs it.
#include "qve_pvk_export.h"

class PVK_API IPostListenerDlg {
public:
  virtual ~IPostListenerDlg() = default;
  // Whether the dialog still has its window.
  virtual bool IsWindow() const = 0;
  // Posts a close request to the dialog's window.
  virtual void PostClose() = 0;

protected:
  IPostListenerDlg() = default;
  IPostListenerDlg(const IPostListenerDlg&) = default;
  IPostListenerDlg& operator=(const IPostListenerDlg&) = default;
};
