#pragma once
// Run-time class records and dynamic creation: pools and factories create objects of a
// class chosen at run time, by class record or by class name.
#include "qve_pvk_export.h"

class CObject;
class CArchive;
class CDumpContext;

struct PVK_API CRuntimeClass {
  const char* m_lpszClassName;
  int m_nObjectSize;
  unsigned m_wSchema;  // 0xFFFF: not serialisable
  CObject* (*m_pfnCreateObject)();
  CRuntimeClass* (*m_pfnGetBaseClass)();  // null for the root

  // Null when the class cannot be created dynamically.
  CObject* CreateObject() const;
  bool IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
  CRuntimeClass* GetBaseClass() const { return m_pfnGetBaseClass ? m_pfnGetBaseClass() : nullptr; }

  // Lookup among all registered classes; null when no class has that name.
  static CRuntimeClass* FromName(const char* lpszClassName);
  static CRuntimeClass* FromName(const wchar_t* lpszClassName);
  static CObject* CreateObject(const char* lpszClassName);
  static CObject* CreateObject(const wchar_t* lpszClassName);
};

// Registers a class record by name at static initialisation.
struct PVK_API AFX_CLASSINIT {
  explicit AFX_CLASSINIT(CRuntimeClass* pNewClass);
};

class PVK_API CObject {
public:
  virtual CRuntimeClass* GetRuntimeClass() const;
  virtual ~CObject() = default;
  virtual void Serialize(CArchive&) {}
  virtual void AssertValid() const {}
  virtual void Dump(CDumpContext&) const {}

  bool IsKindOf(const CRuntimeClass* pClass) const;

  static CRuntimeClass classCObject;
  static CRuntimeClass* GetThisClass();

protected:
  CObject() = default;
  CObject(const CObject&) = default;
  CObject& operator=(const CObject&) = default;
};

#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

#define DECLARE_DYNAMIC(class_name)       \
public:                                   \
  static CRuntimeClass class##class_name; \
  static CRuntimeClass* GetThisClass();   \
  CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
  DECLARE_DYNAMIC(class_name)         \
  static CObject* CreateObject();

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                       \
  CRuntimeClass class_name::class##class_name = {#class_name, sizeof(class_name), wSchema, pfnNew, \
                                                 &base_class_name::GetThisClass};                  \
  static const AFX_CLASSINIT classinit_##class_name(&class_name::class##class_name);               \
  CRuntimeClass* class_name::GetThisClass() { return &class_name::class##class_name; }             \
  CRuntimeClass* class_name::GetRuntimeClass() const { return &class_name::class##class_name; }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

// A class name cannot be parenthesised after new.
#define IMPLEMENT_DYNCREATE(class_name, base_class_name)            \
  CObject* class_name::CreateObject() {                             \
    return new class_name; /* NOLINT(bugprone-macro-parentheses) */ \
  }                                                                 \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)
