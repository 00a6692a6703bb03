#pragma once
// Base of every object held in a post object pool: a parent link and an enable flag.
#include <cstdint>

#include "base/CString.h"
#include "base/Object.h"
#include "qve_pvk_export.h"

class PVK_API CPostObject : public CObject {
  DECLARE_DYNCREATE(CPostObject)

public:
  CPostObject() = default;
  ~CPostObject() override = default;

  // The iterator of the parent's entry in the parent's pool; 0 = no parent.
  void SetParent(std::uint64_t nParent) { m_nParent = nParent; }
  const std::uint64_t& GetParent() const { return m_nParent; }

  void SetEnable(const int& nEnable) { m_nEnable = nEnable; }
  const int& IsEnable() const { return m_nEnable; }

  virtual CString GetName() const;

private:
  std::uint64_t m_nParent = 0;
  int m_nEnable = 1;
};
