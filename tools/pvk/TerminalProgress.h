#pragma once
// A progress bar on standard error that says what it is doing: pvk's own steps ("scanning
// big.tkvp") and the library's long operations while a file opens or closes.
#include <string>

#include "base/ProgressBar.h"

class CTerminalProgress : public zar_interface::IProgressBar {
public:
  void Start() override;
  void SetRange(int lower, int upper) override;
  void SetPos(int pos) override;
  void SetText(const wchar_t* text) override;
  void End() override;
  // Clears the line and draws no more: the command's output has begun on the same terminal.
  void Mute();

private:
  void Draw();

  int m_nLower = 0;
  int m_nUpper = 100;
  int m_nPos = 0;
  bool m_bBar = false;  // a range is running
  bool m_bShown = false;
  bool m_bMuted = false;
  std::string m_text;
};

// Tells the installed progress display what pvk does now; nothing when none is installed.
void SayProgress(const std::string& utf8);
