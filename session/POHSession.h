#pragma once
// Interface of a post session: the root that owns the pools of the case hierarchy.
#include <cstdint>

#include "qve_pvk_export.h"
#include "session/POHTypes.h"

class CPOHPoolBase;

class PVK_API IPOHSession {
public:
  virtual ~IPOHSession() = default;
  virtual pvk::E_POH_TYPE GetType() const = 0;
  // The pool of a level (pvk::E_POH_LEVEL).
  virtual CPOHPoolBase* GetPOHPool(std::int32_t nLevel) = 0;
  virtual const CPOHPoolBase* GetPOHPool(std::int32_t nLevel) const = 0;
  // Removes a result file with its sub-cases and steps.
  virtual void Remove(std::uint64_t mcasItr) = 0;
  virtual void RemoveByDBItr(std::uint64_t nDBItr) = 0;
  virtual void Optimize() = 0;
  virtual void BuildDBItrMap() = 0;

protected:
  IPOHSession() = default;
  IPOHSession(const IPOHSession&) = default;
  IPOHSession& operator=(const IPOHSession&) = default;
};
