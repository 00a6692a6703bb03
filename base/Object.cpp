#include "base/Object.h"

#include <cstring>
#include <string>
#include <unordered_map>

namespace {

// Function-local so that registrations from any translation unit's static initialisers
// find it constructed.
std::unordered_map<std::string, CRuntimeClass*>& Registry() {
  static std::unordered_map<std::string, CRuntimeClass*> classes;
  return classes;
}

std::string Narrow(const wchar_t* s) {
  std::string out;
  for (; *s; ++s) {
    if (*s > 0x7F) return {};  // class names are plain ASCII identifiers
    out.push_back(static_cast<char>(*s));
  }
  return out;
}

}  // namespace

CRuntimeClass CObject::classCObject = {"CObject", sizeof(CObject), 0xFFFF, nullptr, nullptr};
static const AFX_CLASSINIT classinit_CObject(&CObject::classCObject);

CRuntimeClass* CObject::GetThisClass() { return &classCObject; }
CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }

bool CObject::IsKindOf(const CRuntimeClass* pClass) const {
  return GetRuntimeClass()->IsDerivedFrom(pClass);
}

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass) {
  Registry()[pNewClass->m_lpszClassName] = pNewClass;
}

CObject* CRuntimeClass::CreateObject() const {
  return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
  if (!pBaseClass) return false;
  for (const CRuntimeClass* c = this; c; c = c->GetBaseClass())
    if (c == pBaseClass) return true;
  return false;
}

CRuntimeClass* CRuntimeClass::FromName(const char* lpszClassName) {
  if (!lpszClassName) return nullptr;
  auto it = Registry().find(lpszClassName);
  return it == Registry().end() ? nullptr : it->second;
}

CRuntimeClass* CRuntimeClass::FromName(const wchar_t* lpszClassName) {
  if (!lpszClassName) return nullptr;
  const std::string name = Narrow(lpszClassName);
  return name.empty() ? nullptr : FromName(name.c_str());
}

CObject* CRuntimeClass::CreateObject(const char* lpszClassName) {
  CRuntimeClass* c = FromName(lpszClassName);
  return c ? c->CreateObject() : nullptr;
}

CObject* CRuntimeClass::CreateObject(const wchar_t* lpszClassName) {
  CRuntimeClass* c = FromName(lpszClassName);
  return c ? c->CreateObject() : nullptr;
}
