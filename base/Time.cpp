#include "base/Time.h"

#include <ctime>
#include <cwchar>
#include <string>

#include "base/Exception.h"

namespace {

// The framework's "invalid argument" result code.
constexpr std::uint32_t kInvalidArg = 0x80070057u;

std::tm LocalTm(std::int64_t time) {
  const std::time_t t = static_cast<std::time_t>(time);
  std::tm tm{};
  if (!::localtime_r(&t, &tm)) throw zar::MException(kInvalidArg);
  return tm;
}

}  // namespace

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST) {
  std::tm tm{};
  tm.tm_year = nYear - 1900;
  tm.tm_mon = nMonth - 1;
  tm.tm_mday = nDay;
  tm.tm_hour = nHour;
  tm.tm_min = nMin;
  tm.tm_sec = nSec;
  tm.tm_isdst = nDST;
  const std::time_t t = std::mktime(&tm);
  if (t == static_cast<std::time_t>(-1)) throw zar::MException(kInvalidArg);
  m_time = t;
}

CTime CTime::GetCurrentTime() { return CTime(static_cast<std::int64_t>(std::time(nullptr))); }

int CTime::GetYear() const { return LocalTm(m_time).tm_year + 1900; }
int CTime::GetMonth() const { return LocalTm(m_time).tm_mon + 1; }
int CTime::GetDay() const { return LocalTm(m_time).tm_mday; }
int CTime::GetHour() const { return LocalTm(m_time).tm_hour; }
int CTime::GetMinute() const { return LocalTm(m_time).tm_min; }
int CTime::GetSecond() const { return LocalTm(m_time).tm_sec; }

CString CTime::Format(const wchar_t* pszFormat) const {
  if (!pszFormat || !*pszFormat) return {};
  const std::tm tm = LocalTm(m_time);
  // wcsftime answers 0 both for a buffer that is too small and for an empty result, so the
  // buffer grows a few times before an empty result is believed.
  std::wstring buf(128, L'\0');
  for (int attempt = 0; attempt < 4; ++attempt, buf.resize(buf.size() * 4)) {
    const std::size_t n = std::wcsftime(buf.data(), buf.size(), pszFormat, &tm);
    if (n > 0) return CString(buf.substr(0, n));
  }
  return {};
}
