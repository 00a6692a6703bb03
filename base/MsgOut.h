#pragma once
// Message output: information, scan diagnostics and warnings, formatted with CString rules
// and handed to a replaceable sink. The default sink writes warnings to standard error and
// the other two only when PVK_VERBOSE is set.
#include <functional>

#include "base/CString.h"
#include "qve_pvk_export.h"

namespace zar::lib {

enum class EMsgLevel { Info, Diagnostic, Warning };
using MsgSink = std::function<void(EMsgLevel, const CString&)>;

// Installs a sink (an empty one restores the default) and returns the previous one.
PVK_API MsgSink SetMsgSink(MsgSink sink);
PVK_API void MsgOut(EMsgLevel level, const CString& text);

template <class... Args>
void nsMsgOutFormat(const wchar_t* fmt, const Args&... args) {
  CString s;
  s.Format(fmt, args...);
  MsgOut(EMsgLevel::Info, s);
}

template <class... Args>
void nsMsgOutFormatD(const wchar_t* fmt, const Args&... args) {
  CString s;
  s.Format(fmt, args...);
  MsgOut(EMsgLevel::Diagnostic, s);
}

template <class... Args>
void nsMsgOutWarning(const wchar_t* fmt, const Args&... args) {
  CString s;
  s.Format(fmt, args...);
  MsgOut(EMsgLevel::Warning, s);
}

}  // namespace zar::lib
