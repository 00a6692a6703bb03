#include "TerminalProgress.h"

#include <algorithm>
#include <cstdio>

void CTerminalProgress::Start() {
  m_nPos = m_nLower;
  Draw();
}

void CTerminalProgress::SetRange(int lower, int upper) {
  m_nLower = lower;
  m_nUpper = std::max(upper, lower + 1);
}

void CTerminalProgress::SetPos(int pos) {
  m_nPos = std::clamp(pos, m_nLower, m_nUpper);
  Draw();
}

void CTerminalProgress::SetText(const wchar_t*) {}

void CTerminalProgress::End() { std::fputs("\r\033[K", stderr); }

void CTerminalProgress::Draw() const {
  constexpr int kWidth = 40;
  const int done = (m_nPos - m_nLower) * kWidth / (m_nUpper - m_nLower);
  std::fprintf(stderr, "\r[%-*.*s] %3d%%", kWidth, done,
               "========================================", done * 100 / kWidth);
}
