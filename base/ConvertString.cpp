#include "base/ConvertString.h"

#include <errno.h>
#include <iconv.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <string_view>

namespace zar::lib {

namespace {

constexpr wchar_t kReplacement = 0xFFFD;
// The Korean code page that the library's locale implies.
constexpr unsigned kDefaultSystemCodePage = 949;

std::string IconvName(unsigned codePage) {
  switch (codePage) {
    case CP_UTF8:
      return "UTF-8";
    case 1200:
      return "UTF-16LE";
    case 20127:
      return "ASCII";
    case 28591:
      return "ISO-8859-1";
    default:
      return "CP" + std::to_string(codePage);
  }
}

// iconv descriptors are costly to open; keep one per direction and code page. The library
// runs on one thread apart from numeric loops, so a thread-local cache needs no lock.
class IconvCache {
public:
  ~IconvCache() {
    for (auto& [key, cd] : m_cds)
      if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
  }
  iconv_t Get(unsigned codePage, bool toWide) {
    auto [it, inserted] = m_cds.try_emplace({codePage, toWide}, reinterpret_cast<iconv_t>(-1));
    if (inserted) {
      const std::string cp = IconvName(codePage);
      it->second = toWide ? iconv_open("WCHAR_T", cp.c_str()) : iconv_open(cp.c_str(), "WCHAR_T");
    }
    return it->second;
  }

private:
  std::map<std::pair<unsigned, bool>, iconv_t> m_cds;
};

iconv_t Descriptor(unsigned codePage, bool toWide) {
  thread_local IconvCache cache;
  if (codePage == CP_ACP) codePage = MConvertString::GetSystemCodePage();
  iconv_t cd = cache.Get(codePage, toWide);
  // An unknown code page falls back to UTF-8 rather than losing the text.
  return cd != reinterpret_cast<iconv_t>(-1) ? cd : cache.Get(CP_UTF8, toWide);
}

// Code pages in which every ASCII byte stands for itself (not UTF-16, not EBCDIC, not the
// 7-bit ISO-2022 and UTF-7 forms).
bool IsAsciiSuperset(unsigned codePage) {
  switch (codePage) {
    case CP_UTF8:
    case 20127:
    case 437:
    case 850:
    case 866:
    case 874:
    case 932:
    case 936:
    case 949:
    case 950:
      return true;
    default:
      return (codePage >= 1250 && codePage <= 1258) || (codePage >= 28591 && codePage <= 28605);
  }
}

// Printable ASCII text, the common case of names and titles, converts without the converter.
template <class TChar>
bool IsPlainAscii(std::basic_string_view<TChar> text) {
  return std::all_of(text.begin(), text.end(), [](TChar c) {
    // A byte above 0x7F widens to a large value: not plain ASCII, as it should be.
    const auto u = static_cast<std::uint32_t>(c);  // NOLINT(bugprone-signed-char-misuse)
    return (u >= 0x20 && u < 0x7F) || u == '\t' || u == '\n' || u == '\r';
  });
}

bool CanCopyAscii(unsigned codePage) {
  return IsAsciiSuperset(codePage == CP_ACP ? MConvertString::GetSystemCodePage() : codePage);
}

}  // namespace

unsigned MConvertString::GetSystemCodePage() {
  if (const char* env = std::getenv("PVK_SYSTEM_CODEPAGE")) {
    unsigned cp = 0;
    const char* last = env + std::strlen(env);
    const auto [stop, error] = std::from_chars(env, last, cp);
    if (error == std::errc() && stop == last && cp > 0 && cp < 65536) return cp;
  }
  return kDefaultSystemCodePage;
}

CString MConvertString::ToWide(std::string_view text, unsigned codePage) {
  if (IsPlainAscii(text) && CanCopyAscii(codePage)) {
    return CString(std::wstring(text.begin(), text.end()));
  }
  iconv_t cd = Descriptor(codePage, true);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  std::wstring out;
  out.reserve(text.size());
  char* in = const_cast<char*>(text.data());
  std::size_t inLeft = text.size();
  wchar_t buf[256];
  while (inLeft > 0) {
    char* outPtr = reinterpret_cast<char*>(buf);
    std::size_t outLeft = sizeof buf;
    const std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    out.append(buf, (sizeof buf - outLeft) / sizeof(wchar_t));
    if (rc != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
    // An undecodable or truncated sequence: mark it and go on after its first byte.
    out.push_back(kReplacement);
    ++in, --inLeft;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  return CString(std::move(out));
}

std::string MConvertString::ToMultiByte(std::wstring_view text, unsigned codePage) {
  if (IsPlainAscii(text) && CanCopyAscii(codePage)) {
    std::string out(text.size(), '\0');
    std::transform(text.begin(), text.end(), out.begin(),
                   [](wchar_t c) { return static_cast<char>(c); });
    return out;
  }
  iconv_t cd = Descriptor(codePage, false);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  std::string out;
  out.reserve(text.size());
  char* in = reinterpret_cast<char*>(const_cast<wchar_t*>(text.data()));
  std::size_t inLeft = text.size() * sizeof(wchar_t);
  char buf[1024];
  while (inLeft > 0) {
    char* outPtr = buf;
    std::size_t outLeft = sizeof buf;
    const std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    out.append(buf, sizeof buf - outLeft);
    if (rc != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
    out.push_back('?');
    in += sizeof(wchar_t), inLeft -= std::min(inLeft, sizeof(wchar_t));
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  // Flush any pending shift state of stateful encodings.
  char* outPtr = buf;
  std::size_t outLeft = sizeof buf;
  iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
  out.append(buf, sizeof buf - outLeft);
  return out;
}

std::u16string MConvertString::ToUtf16(std::wstring_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (wchar_t wc : text) {
    auto c = static_cast<char32_t>(wc);
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kReplacement;
    if (c < 0x10000) {
      out.push_back(static_cast<char16_t>(c));
    } else {
      c -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    }
  }
  return out;
}

CString MConvertString::FromUtf16(std::u16string_view text) {
  std::wstring out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char32_t c = text[i];
    const bool high = c >= 0xD800 && c <= 0xDBFF;
    const bool low = c >= 0xDC00 && c <= 0xDFFF;
    if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      out.push_back(static_cast<wchar_t>(0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00)));
    } else {
      out.push_back(high || low ? kReplacement : static_cast<wchar_t>(c));
    }
  }
  return CString(std::move(out));
}

}  // namespace zar::lib
