#pragma once
// The framework's wide string: a thin class over std::wstring with the operations the
// library uses, and printf-style formatting that follows the original platform's rules
// (%s wide, %S narrow, %p as 16 upper-case hex digits).
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>

#include "qve_pvk_export.h"

namespace zar::detail {

// One formatting argument, captured with its type so that the formatter never reads a
// value with the wrong width.
struct FormatArg {
  enum Kind { Int, UInt, Double, WStr, Str, Ptr } kind;
  union {
    std::int64_t i;
    std::uint64_t u;
    double d;
    const wchar_t* ws;
    const char* s;
    const void* p;
  };
};

}  // namespace zar::detail

class PVK_API CString {
public:
  CString() = default;
  CString(const wchar_t* s) : m_str(s ? s : L"") {}
  CString(const wchar_t* s, int n) : m_str(s ? std::wstring(s, n > 0 ? n : 0) : std::wstring()) {}
  CString(std::wstring s) : m_str(std::move(s)) {}
  CString(std::wstring_view s) : m_str(s) {}
  CString(wchar_t ch, int repeat = 1) : m_str(repeat > 0 ? repeat : 0, ch) {}
  // Narrow text is taken in the system code page.
  explicit CString(const char* s);

  int GetLength() const { return static_cast<int>(m_str.size()); }
  bool IsEmpty() const { return m_str.empty(); }
  void Empty() { m_str.clear(); }
  const wchar_t* GetString() const { return m_str.c_str(); }
  operator const wchar_t*() const { return m_str.c_str(); }
  const std::wstring& str() const { return m_str; }
  wchar_t GetAt(int i) const { return m_str.at(static_cast<std::size_t>(i)); }
  wchar_t operator[](int i) const { return GetAt(i); }
  void SetAt(int i, wchar_t ch) { m_str.at(static_cast<std::size_t>(i)) = ch; }

  CString& MakeUpper();
  CString& MakeLower();
  CString& MakeReverse();

  // Positions are 0-based; -1 when not found.
  int Find(wchar_t ch, int start = 0) const;
  int Find(const wchar_t* sub, int start = 0) const;
  int ReverseFind(wchar_t ch) const;
  int FindOneOf(const wchar_t* chars) const;

  CString Left(int n) const;
  CString Mid(int first) const;
  CString Mid(int first, int n) const;
  CString Right(int n) const;

  int Replace(wchar_t oldCh, wchar_t newCh);
  int Replace(const wchar_t* oldStr, const wchar_t* newStr);
  int Remove(wchar_t ch);
  int Insert(int index, const wchar_t* s);
  int Delete(int index, int count = 1);

  CString& Trim();
  CString& TrimLeft();
  CString& TrimRight();
  CString& Trim(const wchar_t* chars);
  CString& TrimLeft(const wchar_t* chars);
  CString& TrimRight(const wchar_t* chars);

  int Compare(const wchar_t* s) const;
  int CompareNoCase(const wchar_t* s) const;

  CString& operator+=(const CString& s) {
    m_str += s.m_str;
    return *this;
  }
  CString& operator+=(const wchar_t* s) {
    if (s) m_str += s;
    return *this;
  }
  CString& operator+=(wchar_t ch) {
    m_str += ch;
    return *this;
  }

  friend CString operator+(const CString& a, const CString& b) {
    return CString(a.m_str + b.m_str);
  }
  friend CString operator+(const CString& a, const wchar_t* b) {
    CString r(a);
    r += b;
    return r;
  }
  friend CString operator+(const wchar_t* a, const CString& b) {
    CString r(a);
    r += b;
    return r;
  }
  friend CString operator+(const CString& a, wchar_t b) {
    CString r(a);
    r += b;
    return r;
  }

  friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
  friend bool operator==(const CString& a, const wchar_t* b) { return a.Compare(b) == 0; }
  friend bool operator<(const CString& a, const CString& b) { return a.m_str < b.m_str; }

  template <class... Args>
  void Format(const wchar_t* fmt, const Args&... args) {
    m_str.clear();
    AppendFormatArgs(fmt, {MakeArg(args)...});
  }
  template <class... Args>
  void AppendFormat(const wchar_t* fmt, const Args&... args) {
    AppendFormatArgs(fmt, {MakeArg(args)...});
  }
  void AppendFormatArgs(const wchar_t* fmt, std::initializer_list<zar::detail::FormatArg> args);

private:
  using Arg = zar::detail::FormatArg;
  template <class T>
  static Arg MakeArg(const T& v) {
    using D = std::decay_t<T>;
    Arg a{};
    if constexpr (std::is_same_v<D, CString>) {
      a.kind = Arg::WStr, a.ws = v.GetString();
    } else if constexpr (std::is_same_v<D, std::wstring>) {
      a.kind = Arg::WStr, a.ws = v.c_str();
    } else if constexpr (std::is_same_v<D, std::string>) {
      a.kind = Arg::Str, a.s = v.c_str();
    } else if constexpr (std::is_same_v<D, const wchar_t*> || std::is_same_v<D, wchar_t*>) {
      a.kind = Arg::WStr, a.ws = v;
    } else if constexpr (std::is_same_v<D, const char*> || std::is_same_v<D, char*>) {
      a.kind = Arg::Str, a.s = v;
    } else if constexpr (std::is_floating_point_v<D>) {
      a.kind = Arg::Double, a.d = static_cast<double>(v);
    } else if constexpr (std::is_enum_v<D>) {
      a.kind = Arg::Int, a.i = static_cast<std::int64_t>(v);
    } else if constexpr (std::is_integral_v<D> && std::is_signed_v<D>) {
      a.kind = Arg::Int, a.i = v;
    } else if constexpr (std::is_integral_v<D>) {
      a.kind = Arg::UInt, a.u = v;
    } else if constexpr (std::is_pointer_v<D> || std::is_null_pointer_v<D>) {
      a.kind = Arg::Ptr, a.p = v;
    } else {
      static_assert(sizeof(D) == 0, "unsupported Format argument type");
    }
    return a;
  }

  std::wstring m_str;
};
