#include "base/TestEnv.h"

#include <cstdlib>
#include <cwctype>
#include <map>

#include "base/ConvertString.h"

namespace zar::lib {

namespace {
std::map<std::wstring, std::wstring>& Overrides() {
  static std::map<std::wstring, std::wstring> values;
  return values;
}
}  // namespace

std::string GetTestEnvVariableName(const wchar_t* name) {
  std::string var = "PVK_";
  for (const wchar_t* p = name ? name : L""; *p; ++p) {
    const wchar_t c =
        *p == L' ' ? L'_' : static_cast<wchar_t>(std::towupper(static_cast<wint_t>(*p)));
    var.push_back(c < 0x80 ? static_cast<char>(c) : '_');
  }
  return var;
}

CString GetTestEnvValue(const wchar_t* name) {
  if (!name) return {};
  if (auto it = Overrides().find(name); it != Overrides().end()) return CString(it->second);
  const char* env = std::getenv(GetTestEnvVariableName(name).c_str());
  return env ? MConvertString::ToWide(env, CP_UTF8) : CString();
}

void SetTestEnvValue(const wchar_t* name, const wchar_t* value) {
  if (name) Overrides()[name] = value ? value : L"";
}

void ClearTestEnvValue(const wchar_t* name) {
  if (name) Overrides().erase(name);
}

}  // namespace zar::lib
