#pragma once
// Common base of the case hierarchy nodes: a name and the matching model-database item.
#include <cstdint>

#include "core/PostObject.h"
#include "qve_pvk_export.h"

class CPOHPoolBase;

class PVK_API CPOHBase : public CPostObject {
  DECLARE_DYNCREATE(CPOHBase)

public:
  CPOHBase() = default;
  ~CPOHBase() override = default;

  void SetName(const wchar_t* szName) { m_strName = szName; }
  CString GetName() const override { return m_strName; }
  void SetDBIterator(std::uint64_t nDBItr) { m_nDBItr = nDBItr; }
  const std::uint64_t& GetDBIterator() const { return m_nDBItr; }

protected:
  // The pool holding this node (not owned), through which the session's other pools are
  // reached to resolve parent links safely. Null until a hierarchy pool takes the node.
  const CPOHPoolBase* GetPOHPool() const { return m_pPOHPool; }

private:
  friend class CPOHPoolBase;

  CString m_strName = L"NONE";
  std::uint64_t m_nDBItr = 0;
  const CPOHPoolBase* m_pPOHPool = nullptr;
};
