#pragma once
// Collects the messages sent while it lives, all or those of one level, and puts the earlier
// sink back when it goes.
#include <optional>
#include <vector>

#include "base/MsgOut.h"

class CMsgCapture {
public:
  explicit CMsgCapture(std::optional<zar::lib::EMsgLevel> only = std::nullopt)
      : m_previous(zar::lib::SetMsgSink([this, only](zar::lib::EMsgLevel level, const CString& s) {
          if (!only || level == *only) m_texts.push_back(s);
        })) {}
  CMsgCapture(const CMsgCapture&) = delete;
  CMsgCapture& operator=(const CMsgCapture&) = delete;
  ~CMsgCapture() { zar::lib::SetMsgSink(m_previous); }

  std::vector<CString> m_texts;

private:
  zar::lib::MsgSink m_previous;
};
