#pragma once
// The pools of the three case hierarchy levels, with the lookups that cross levels through
// the session's pools.
#include <cstdint>

#include "qve_pvk_export.h"
#include "session/POHPoolBase.h"

// Result file pool; the node class is chosen by the derived pool.
class PVK_API CPOHPoolMcas : public CPOHPoolBase {
protected:
  CPOHPoolMcas(IPOHSession* pSession, CRuntimeClass* pObjClass)
      : CPOHPoolBase(pSession, pObjClass) {}
};

class PVK_API CPOHPoolQVEMcas : public CPOHPoolMcas {
public:
  explicit CPOHPoolQVEMcas(IPOHSession* pSession);

  // Result file of a sub-case, or of a step two levels down; 0 for a 0 iterator.
  iterator GetByPOHScas(iterator scasItr) const;
  iterator GetByPOHVcas(iterator vcasItr) const;
};

class PVK_API CPOHPoolScas : public CPOHPoolBase {
public:
  explicit CPOHPoolScas(IPOHSession* pSession);

  std::int32_t GetListByPOHMcas(iterator mcasItr, zar::MArray<std::uint64_t>& out) const {
    return GetListByParent(mcasItr, out);
  }
  // Sub-case of a step; 0 for a 0 iterator.
  iterator GetByPOHVcas(iterator vcasItr) const;
  // Sub-case of the step matched to a model-database iterator.
  iterator GetByVcasDB(std::uint64_t vcasDbItr) const;
  // Sub-cases of the result file matched to a model-database iterator.
  std::int32_t GetListByMcasDB(std::uint64_t mcasDbItr, zar::MArray<std::uint64_t>& out) const;
};

class PVK_API CPOHPoolVcas : public CPOHPoolBase {
public:
  explicit CPOHPoolVcas(IPOHSession* pSession);

  std::int32_t GetListByPOHScas(iterator scasItr, zar::MArray<std::uint64_t>& out) const {
    return GetListByParent(scasItr, out);
  }
  // Steps of all sub-cases of a result file: sub-case pool order, then step pool order.
  std::int32_t GetListByPOHMcas(iterator mcasItr, zar::MArray<std::uint64_t>& out) const;
  // Steps of the sub-case matched to a model-database iterator.
  std::int32_t GetListByScasDB(std::uint64_t scasDbItr, zar::MArray<std::uint64_t>& out) const;
};
