#pragma once
// The hidden window that ticks an animation: while started, its timer calls the host's
// callback with the host's argument on the thread that created it, whenever that thread
// pumps its message loop.
#include <cstdint>

#include "base/Wnd.h"
#include "qve_pvk_export.h"

class PVK_API CAnimTimer : public CWnd {
public:
  using Callback = void (*)(std::uint64_t);
  static constexpr std::uint64_t kAnimTimerId = 1005;

  CAnimTimer();
  ~CAnimTimer() override;

  // Replaces a running timer. An interval of 0 ticks as fast as the loop allows.
  void Start(unsigned int nElapse, Callback pfnCallback, std::uint64_t nArg);
  void Stop();

protected:
  void OnTimer(std::uint64_t nIDEvent) override;

private:
  void Init();

  Callback m_pfnCallback = nullptr;
  std::uint64_t m_nArg = 0;
};
