#include "base/CString.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>

#include "base/ConvertString.h"

CString::CString(const char* s) : m_str(zar::lib::MConvertString::ToWide(s ? s : "", 0).str()) {}

CString& CString::MakeUpper() {
  for (auto& c : m_str) c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
  return *this;
}

CString& CString::MakeLower() {
  for (auto& c : m_str) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
  return *this;
}

CString& CString::MakeReverse() {
  std::reverse(m_str.begin(), m_str.end());
  return *this;
}

namespace {
int Pos(std::size_t p) { return p == std::wstring::npos ? -1 : static_cast<int>(p); }
}  // namespace

int CString::Find(wchar_t ch, int start) const {
  if (start < 0 || start > GetLength()) return -1;
  return Pos(m_str.find(ch, static_cast<std::size_t>(start)));
}

int CString::Find(const wchar_t* sub, int start) const {
  if (!sub || start < 0 || start > GetLength()) return -1;
  return Pos(m_str.find(sub, static_cast<std::size_t>(start)));
}

int CString::ReverseFind(wchar_t ch) const { return Pos(m_str.rfind(ch)); }

int CString::FindOneOf(const wchar_t* chars) const {
  return chars ? Pos(m_str.find_first_of(chars)) : -1;
}

CString CString::Left(int n) const {
  n = std::clamp(n, 0, GetLength());
  return CString(m_str.substr(0, static_cast<std::size_t>(n)));
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int n) const {
  first = std::clamp(first, 0, GetLength());
  n = std::clamp(n, 0, GetLength() - first);
  return CString(m_str.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(n)));
}

CString CString::Right(int n) const {
  n = std::clamp(n, 0, GetLength());
  return CString(m_str.substr(m_str.size() - static_cast<std::size_t>(n)));
}

int CString::Replace(wchar_t oldCh, wchar_t newCh) {
  int count = 0;
  for (auto& c : m_str)
    if (c == oldCh) c = newCh, ++count;
  return count;
}

int CString::Replace(const wchar_t* oldStr, const wchar_t* newStr) {
  if (!oldStr || !*oldStr) return 0;
  const std::wstring from(oldStr), to(newStr ? newStr : L"");
  std::wstring out;
  int count = 0;
  std::size_t pos = 0;
  for (std::size_t hit; (hit = m_str.find(from, pos)) != std::wstring::npos;
       pos = hit + from.size()) {
    out.append(m_str, pos, hit - pos).append(to);
    ++count;
  }
  if (count) m_str = out.append(m_str, pos);
  return count;
}

int CString::Remove(wchar_t ch) {
  const auto before = m_str.size();
  std::erase(m_str, ch);
  return static_cast<int>(before - m_str.size());
}

int CString::Insert(int index, const wchar_t* s) {
  index = std::clamp(index, 0, GetLength());
  if (s) m_str.insert(static_cast<std::size_t>(index), s);
  return GetLength();
}

int CString::Delete(int index, int count) {
  if (index >= 0 && index < GetLength() && count > 0)
    m_str.erase(static_cast<std::size_t>(index), static_cast<std::size_t>(count));
  return GetLength();
}

namespace {
bool IsSpace(wchar_t c) { return std::iswspace(static_cast<wint_t>(c)) != 0; }
}  // namespace

CString& CString::TrimLeft() {
  m_str.erase(m_str.begin(), std::find_if_not(m_str.begin(), m_str.end(), IsSpace));
  return *this;
}

CString& CString::TrimRight() {
  m_str.erase(std::find_if_not(m_str.rbegin(), m_str.rend(), IsSpace).base(), m_str.end());
  return *this;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }

CString& CString::TrimLeft(const wchar_t* chars) {
  if (chars) m_str.erase(0, std::min(m_str.find_first_not_of(chars), m_str.size()));
  return *this;
}

CString& CString::TrimRight(const wchar_t* chars) {
  if (!chars) return *this;
  const auto last = m_str.find_last_not_of(chars);
  m_str.erase(last == std::wstring::npos ? 0 : last + 1);
  return *this;
}

CString& CString::Trim(const wchar_t* chars) { return TrimRight(chars).TrimLeft(chars); }

int CString::Compare(const wchar_t* s) const { return m_str.compare(s ? s : L""); }

int CString::CompareNoCase(const wchar_t* s) const {
  CString a(*this), b(s);
  return a.MakeLower().Compare(b.MakeLower());
}
