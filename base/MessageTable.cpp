#include "base/MessageTable.h"

#include <algorithm>
#include <cstdlib>
#include <cwctype>
#include <fstream>
#include <string>
#include <unordered_map>

#include "base/ConvertString.h"

namespace zar::lib {

namespace {

struct Table {
  std::unordered_map<std::wstring, const wchar_t*> builtins;  // null text: derive from key
  std::unordered_map<std::wstring, std::wstring> overrides;
  bool overridesLoaded = false;
};

Table& GetTable() {
  static Table table;
  return table;
}

// Texts in the override file may carry \n, \t and \\ escapes.
std::wstring Unescape(const std::wstring& s) {
  std::wstring out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != L'\\' || i + 1 == s.size()) {
      out.push_back(s[i]);
      continue;
    }
    const wchar_t c = s[++i];
    out.push_back(c == L'n' ? L'\n' : c == L't' ? L'\t' : c);
  }
  return out;
}

void LoadOverrides(Table& t) {
  t.overrides.clear();
  t.overridesLoaded = true;
  const char* path = std::getenv("PVK_MESSAGE_FILE");
  if (!path || !*path) return;
  std::ifstream in(path, std::ios::binary);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto tab = line.find('\t');
    if (tab == std::string::npos || tab == 0) continue;
    const std::wstring key = MConvertString::ToWide(line.substr(0, tab), CP_UTF8).str();
    t.overrides[key] = Unescape(MConvertString::ToWide(line.substr(tab + 1), CP_UTF8).str());
  }
}

std::wstring Capitalised(std::wstring_view word) {
  std::wstring w(word);
  const bool plainWord = !w.empty() && std::all_of(w.begin(), w.end(), [](wchar_t c) {
    return std::iswalpha(static_cast<wint_t>(c)) != 0;
  });
  if (!plainWord) return w;  // "T1", "3D" stay as they are
  for (std::size_t i = 1; i < w.size(); ++i)
    w[i] = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(w[i])));
  return w;
}

}  // namespace

CString MMSGFunction::TextFromKey(const wchar_t* key) {
  std::wstring_view k(key ? key : L"");
  for (std::wstring_view prefix : {L"IDS_LEGEND_VRES_", L"IDS_VRES_", L"IDS_"}) {
    if (k.starts_with(prefix)) {
      k.remove_prefix(prefix.size());
      break;
    }
  }
  std::wstring text;
  while (!k.empty()) {
    const auto cut = k.find(L'_');
    const std::wstring_view word = k.substr(0, cut);
    if (!word.empty()) text += (text.empty() ? L"" : L" ") + Capitalised(word);
    k = cut == std::wstring_view::npos ? std::wstring_view() : k.substr(cut + 1);
  }
  return CString(std::move(text));
}

void MMSGFunction::RegisterTexts(const TMsgText* texts, std::size_t count) {
  auto& builtins = GetTable().builtins;
  for (std::size_t i = 0; i < count; ++i)
    if (texts[i].key) builtins[texts[i].key] = texts[i].text;
}

void MMSGFunction::ReloadOverrides() { LoadOverrides(GetTable()); }

CString MMSGFunction::GetValue(const wchar_t* key) {
  if (!key) return {};
  Table& t = GetTable();
  if (!t.overridesLoaded) LoadOverrides(t);
  if (auto it = t.overrides.find(key); it != t.overrides.end()) return CString(it->second);
  if (auto it = t.builtins.find(key); it != t.builtins.end())
    return it->second ? CString(it->second) : TextFromKey(key);
  return CString(key);
}

}  // namespace zar::lib
