#pragma once
// A progress bar on standard error, for the library's long operations while a file opens.
#include "base/ProgressBar.h"

class CTerminalProgress : public zar_interface::IProgressBar {
public:
  void Start() override;
  void SetRange(int lower, int upper) override;
  void SetPos(int pos) override;
  void SetText(const wchar_t* text) override;
  void End() override;

private:
  void Draw() const;

  int m_nLower = 0;
  int m_nUpper = 100;
  int m_nPos = 0;
};
