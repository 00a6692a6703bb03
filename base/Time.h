#pragma once
// The framework's time: seconds since the epoch, 64-bit. Calendar fields are local time.
#include <compare>
#include <cstdint>

#include "base/CString.h"
#include "qve_pvk_export.h"

class PVK_API CTimeSpan {
public:
  constexpr CTimeSpan() = default;
  constexpr explicit CTimeSpan(std::int64_t seconds) : m_span(seconds) {}

  constexpr std::int64_t GetTimeSpan() const { return m_span; }
  constexpr std::int64_t GetTotalSeconds() const { return m_span; }
  constexpr std::int64_t GetTotalMinutes() const { return m_span / 60; }
  constexpr std::int64_t GetTotalHours() const { return m_span / 3600; }
  constexpr std::int64_t GetDays() const { return m_span / 86400; }

  constexpr auto operator<=>(const CTimeSpan&) const = default;

private:
  std::int64_t m_span = 0;
};

class PVK_API CTime {
public:
  constexpr CTime() = default;
  constexpr CTime(std::int64_t time) : m_time(time) {}
  // Local time; nDST < 0 lets the C library decide whether daylight saving applies.
  CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);

  static CTime GetCurrentTime();
  constexpr std::int64_t GetTime() const { return m_time; }

  int GetYear() const;
  int GetMonth() const;  // 1 to 12
  int GetDay() const;    // 1 to 31
  int GetHour() const;
  int GetMinute() const;
  int GetSecond() const;

  // wcsftime conversions of the local time.
  CString Format(const wchar_t* pszFormat) const;

  constexpr auto operator<=>(const CTime&) const = default;
  constexpr CTimeSpan operator-(const CTime& t) const { return CTimeSpan(m_time - t.m_time); }
  constexpr CTime operator+(const CTimeSpan& s) const { return CTime(m_time + s.GetTimeSpan()); }
  constexpr CTime operator-(const CTimeSpan& s) const { return CTime(m_time - s.GetTimeSpan()); }

private:
  std::int64_t m_time = 0;
};
