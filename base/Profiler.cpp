#include "base/Profiler.h"

#include "base/MsgOut.h"
#include "base/TestEnv.h"

namespace zar::lib {

bool MProfiler::IsEnabled() { return GetTestEnvValue(L"Profile_Time").CompareNoCase(L"yes") == 0; }

MProfiler::MProfiler(const char* sourceUnit, int line, const wchar_t* label)
    : m_szUnit(sourceUnit),
      m_nLine(line),
      m_strLabel(label),
      m_bEnabled(IsEnabled()),
      m_start(std::chrono::steady_clock::now()) {}

MProfiler::~MProfiler() {
  if (m_bEnabled) nsMsgOutFormat(L"%s : %g (%S:%d)\n", m_strLabel, Elapsed(), m_szUnit, m_nLine);
}

double MProfiler::Elapsed() const {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
}

}  // namespace zar::lib
