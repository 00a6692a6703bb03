// printf-style formatting with the original platform's rules: in a wide format string %s
// takes a wide string and %S a narrow one, "long" is 32 bits, and %p prints 16 upper-case
// hexadecimal digits. Arguments carry their types, so a mismatched argument is converted
// rather than read with the wrong width, and a missing one formats as zero or empty.
#include <algorithm>
#include <cstdio>
#include <span>
#include <string>

#include "base/CString.h"
#include "base/ConvertString.h"

namespace {

using Arg = zar::detail::FormatArg;
constexpr int kMaxWidth = 1 << 16;

struct Conversion {
  std::string flags;
  int width = -1;
  int precision = -1;
  int bits = 32;  // integer width the length modifier asks for
  wchar_t conv = 0;
};

class ArgReader {
public:
  explicit ArgReader(std::span<const Arg> args) : m_args(args) {}
  const Arg* Next() { return m_next < m_args.size() ? &m_args[m_next++] : nullptr; }

  std::int64_t NextInt() {
    const Arg* a = Next();
    if (!a) return 0;
    switch (a->kind) {
      case Arg::Int:
        return a->i;
      case Arg::UInt:
        return static_cast<std::int64_t>(a->u);
      case Arg::Double:
        return static_cast<std::int64_t>(a->d);
      default:
        return static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(a->p));
    }
  }
  double NextDouble() {
    const Arg* a = Next();
    if (!a) return 0.0;
    switch (a->kind) {
      case Arg::Double:
        return a->d;
      case Arg::Int:
        return static_cast<double>(a->i);
      case Arg::UInt:
        return static_cast<double>(a->u);
      default:
        return 0.0;
    }
  }

private:
  std::span<const Arg> m_args;
  std::size_t m_next = 0;
};

void AppendAscii(std::wstring& out, const char* s, int n) {
  for (int i = 0; i < n; ++i) out.push_back(static_cast<unsigned char>(s[i]));
}

// Runs the C formatter on one conversion with the given value; numbers are plain ASCII.
template <class T>
void AppendC(std::wstring& out, const Conversion& sp, const char* length, char conv, T value) {
  // Each flag at most once and two bounded numbers: the conversion fits in 64 bytes.
  char width[16] = "", precision[16] = "", f[64];
  if (sp.width >= 0) std::snprintf(width, sizeof width, "%d", sp.width);
  if (sp.precision >= 0) std::snprintf(precision, sizeof precision, ".%d", sp.precision);
  std::snprintf(f, sizeof f, "%%%s%s%s%s%c", sp.flags.c_str(), width, precision, length, conv);
  char buf[512];
  const int n = std::snprintf(buf, sizeof buf, f, value);
  if (n < static_cast<int>(sizeof buf)) {
    AppendAscii(out, buf, n < 0 ? 0 : n);
    return;
  }
  std::string big(static_cast<std::size_t>(n) + 1, '\0');
  std::snprintf(big.data(), big.size(), f, value);
  AppendAscii(out, big.data(), n);
}

void AppendPadded(std::wstring& out, const Conversion& sp, std::wstring_view text) {
  const auto len = static_cast<int>(text.size());
  const int pad = sp.width > len ? sp.width - len : 0;
  const bool left = sp.flags.find('-') != std::string::npos;
  if (!left) out.append(static_cast<std::size_t>(pad), L' ');
  out.append(text);
  if (left) out.append(static_cast<std::size_t>(pad), L' ');
}

// The argument's own type decides between wide and narrow text, so %s and %S both print
// what they are given; narrow text is in the system code page.
std::wstring StringArg(const Arg* a) {
  if (!a) return L"";
  if (a->kind == Arg::WStr) return a->ws ? a->ws : L"(null)";
  if (a->kind == Arg::Str) return a->s ? zar::lib::MConvertString::ToWide(a->s).str() : L"(null)";
  return L"";
}

void AppendString(std::wstring& out, const Conversion& sp, ArgReader& args) {
  std::wstring s = StringArg(args.Next());
  if (sp.precision >= 0 && static_cast<std::size_t>(sp.precision) < s.size())
    s.resize(static_cast<std::size_t>(sp.precision));
  AppendPadded(out, sp, s);
}

void AppendSigned(std::wstring& out, const Conversion& sp, std::int64_t v) {
  // %hhd prints the low byte with its sign.
  if (sp.bits == 8) v = static_cast<std::int8_t>(v);  // NOLINT(bugprone-signed-char-misuse)
  if (sp.bits == 16) v = static_cast<std::int16_t>(v);
  if (sp.bits == 32) v = static_cast<std::int32_t>(v);
  AppendC(out, sp, "ll", 'd', static_cast<long long>(v));
}

void AppendUnsigned(std::wstring& out, const Conversion& sp, char conv, std::uint64_t v) {
  if (sp.bits == 8) v = static_cast<std::uint8_t>(v);
  if (sp.bits == 16) v = static_cast<std::uint16_t>(v);
  if (sp.bits == 32) v = static_cast<std::uint32_t>(v);
  AppendC(out, sp, "ll", conv, static_cast<unsigned long long>(v));
}

void AppendPointer(std::wstring& out, const Conversion& sp, std::uint64_t v) {
  char buf[17];
  std::snprintf(buf, sizeof buf, "%016llX", static_cast<unsigned long long>(v));
  AppendPadded(out, sp, std::wstring(buf, buf + 16));
}

void AppendConversion(std::wstring& out, const Conversion& sp, ArgReader& args) {
  switch (sp.conv) {
    case L'd':
    case L'i':
      return AppendSigned(out, sp, args.NextInt());
    case L'u':
    case L'o':
    case L'x':
    case L'X':
      return AppendUnsigned(out, sp, static_cast<char>(sp.conv),
                            static_cast<std::uint64_t>(args.NextInt()));
    case L'e':
    case L'E':
    case L'f':
    case L'F':
    case L'g':
    case L'G':
    case L'a':
    case L'A':
      return AppendC(out, sp, "", static_cast<char>(sp.conv), args.NextDouble());
    case L'c':
    case L'C':
      return AppendPadded(out, sp, std::wstring(1, static_cast<wchar_t>(args.NextInt())));
    case L's':
    case L'S':
      return AppendString(out, sp, args);
    case L'p':
      return AppendPointer(out, sp, static_cast<std::uint64_t>(args.NextInt()));
    case L'n':
      args.Next();
      return;  // never writes through an argument
    default:
      out.push_back(sp.conv);
  }
}

// Parses one conversion after its '%'; returns the position after it.
const wchar_t* ParseSpec(const wchar_t* p, Conversion& sp, ArgReader& args) {
  for (; *p && std::wstring_view(L"-+ #0").find(*p) != std::wstring_view::npos; ++p)
    if (sp.flags.find(static_cast<char>(*p)) == std::string::npos)
      sp.flags.push_back(static_cast<char>(*p));
  auto number = [&](int& value) {
    if (*p == L'*') {
      value = static_cast<int>(args.NextInt()), ++p;
      return true;
    }
    for (value = 0; *p >= L'0' && *p <= L'9'; ++p)
      value = std::min(value * 10 + (*p - L'0'), kMaxWidth);
    return false;
  };
  // A negative width from '*' means left-justified; a negative precision means none.
  if ((*p == L'*' || (*p >= L'0' && *p <= L'9')) && number(sp.width) && sp.width < 0)
    sp.flags += sp.flags.find('-') == std::string::npos ? "-" : "", sp.width = -sp.width;
  if (*p == L'.' && (++p, number(sp.precision)) && sp.precision < 0) sp.precision = -1;
  // Bounded so that a hostile width cannot ask for gigabytes.
  sp.width = std::min(sp.width, kMaxWidth), sp.precision = std::min(sp.precision, kMaxWidth);
  for (bool more = true; more && *p;) {
    const std::wstring_view rest(p);
    if (rest.starts_with(L"I64"))
      sp.bits = 64, p += 3;
    else if (rest.starts_with(L"I32"))
      sp.bits = 32, p += 3;
    else if (rest.starts_with(L"ll"))
      sp.bits = 64, p += 2;
    else if (rest.starts_with(L"hh"))
      sp.bits = 8, p += 2;
    else if (*p == L'h')
      sp.bits = 16, ++p;
    else if (*p == L'l' || *p == L'w' || *p == L'L')
      ++p;  // long is 32 bits, long double is double
    else if (*p == L'j' || *p == L'z' || *p == L't' || *p == L'I')
      sp.bits = 64, ++p;
    else
      more = false;
  }
  sp.conv = *p;
  return *p ? p + 1 : p;
}

}  // namespace

void CString::AppendFormatArgs(const wchar_t* fmt, std::initializer_list<Arg> list) {
  if (!fmt) return;
  ArgReader args(std::span<const Arg>(list.begin(), list.size()));
  for (const wchar_t* p = fmt; *p;) {
    if (*p != L'%') {
      m_str.push_back(*p++);
      continue;
    }
    if (p[1] == L'%') {
      m_str.push_back(L'%'), p += 2;
      continue;
    }
    Conversion sp;
    p = ParseSpec(p + 1, sp, args);
    if (sp.conv) AppendConversion(m_str, sp, args);
  }
}
