#pragma once
// Scoped timer: when the test environment value "Profile_Time" is "yes", writes the label
// and the elapsed seconds to the message output on leaving the scope.
#include <chrono>

#include "base/CString.h"
#include "qve_pvk_export.h"

namespace zar::lib {

class PVK_API MProfiler {
public:
  MProfiler(const char* sourceUnit, int line, const wchar_t* label);
  ~MProfiler();
  MProfiler(const MProfiler&) = delete;
  MProfiler& operator=(const MProfiler&) = delete;

  static bool IsEnabled();
  double Elapsed() const;

private:
  const char* m_szUnit;
  int m_nLine;
  CString m_strLabel;
  bool m_bEnabled;
  std::chrono::steady_clock::time_point m_start;
};

}  // namespace zar::lib
