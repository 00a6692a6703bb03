#pragma once
// The host's progress display. The library draws through the class-wide instance; with no
// instance installed nothing is shown.
#include "qve_pvk_export.h"

namespace zar_interface {

class PVK_API IProgressBar {
public:
  virtual ~IProgressBar() = default;
  virtual void Start() = 0;
  virtual void SetRange(int lower, int upper) = 0;
  virtual void SetPos(int pos) = 0;
  virtual void SetText(const wchar_t* text) = 0;
  virtual void End() = 0;

  static IProgressBar* m_pInstance;  // not owned
};

}  // namespace zar_interface
