#include "TerminalProgress.h"

#include <algorithm>
#include <cstdio>

#include "PvkText.h"
#include "base/ConvertString.h"

namespace {

constexpr int kBarWidth = 40;
constexpr std::size_t kTextBytes = 60;  // with the bar, one line of an 80-column terminal

// At most `bytes` bytes, not cutting a character.
std::string Cut(const std::string& text, std::size_t bytes) {
  if (text.size() <= bytes) return text;
  while (bytes > 0 && (static_cast<unsigned char>(text[bytes]) & 0xC0) == 0x80) --bytes;
  return text.substr(0, bytes);
}

}  // namespace

void CTerminalProgress::Start() {
  m_bBar = true;
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

void CTerminalProgress::SetText(const wchar_t* text) {
  m_text = pvk_text::Utf8(CString(text));
  Draw();
}

void CTerminalProgress::End() {
  if (m_bShown) std::fputs("\r\033[K", stderr);
  m_bShown = m_bBar = false;
  m_text.clear();
}

void CTerminalProgress::Mute() {
  End();
  m_bMuted = true;
}

void CTerminalProgress::Draw() {
  if (m_bMuted) return;
  const std::string text = Cut(m_text, kTextBytes);
  if (m_bBar) {
    const int done = (m_nPos - m_nLower) * kBarWidth / (m_nUpper - m_nLower);
    std::fprintf(stderr, "\r[%-*.*s] %3d%% %s\033[K", kBarWidth, done,
                 "========================================", done * 100 / kBarWidth, text.c_str());
  } else {
    std::fprintf(stderr, "\r%s ...\033[K", text.c_str());
  }
  m_bShown = true;
}

void SayProgress(const std::string& utf8) {
  if (auto* progress = zar_interface::IProgressBar::m_pInstance)
    progress->SetText(zar::lib::MConvertString::ToWide(utf8, CP_UTF8).GetString());
}
