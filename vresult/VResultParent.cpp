// The walks from a virtual result up the case hierarchy.
#include "session/POHMcas.h"
#include "session/POHPoolBase.h"
#include "session/POHSession.h"
#include "vresult/VResult.h"

namespace {

// The parent of the live entry itr of the session's pool of that level; 0 otherwise.
std::uint64_t ParentIn(const IPOHSession* pSession, std::int32_t nLevel, std::uint64_t itr) {
  const CPOHPoolBase* pPool = pSession ? pSession->GetPOHPool(nLevel) : nullptr;
  if (!itr || !pPool || !pPool->IsLiveItr(itr)) return 0;
  const CPOHBase* pNode = pPool->GetAt(itr);
  return pNode ? pNode->GetParent() : 0;
}

// itr when it names a live entry of the session's pool of that level; 0 otherwise.
std::uint64_t LiveIn(const IPOHSession* pSession, std::int32_t nLevel, std::uint64_t itr) {
  const CPOHPoolBase* pPool = pSession ? pSession->GetPOHPool(nLevel) : nullptr;
  return itr && pPool && pPool->IsLiveItr(itr) ? itr : 0;
}

}  // namespace

std::uint64_t CVResult::GetPOHScas() const {
  return LiveIn(m_pSession, pvk::POH_LEVEL_SCAS,
                ParentIn(m_pSession, pvk::POH_LEVEL_VCAS, GetPOHVcas()));
}

std::uint64_t CVResult::GetPOHMcas() const {
  return LiveIn(m_pSession, pvk::POH_LEVEL_MCAS,
                ParentIn(m_pSession, pvk::POH_LEVEL_SCAS, GetPOHScas()));
}

const zar::lib::T_UNIT_INDEX* CVResult::FindResultFileUnit() const {
  const std::uint64_t mcasItr = GetPOHMcas();
  const CPOHPoolBase* pPool = mcasItr ? m_pSession->GetPOHPool(pvk::POH_LEVEL_MCAS) : nullptr;
  const auto* pMcas = pPool ? dynamic_cast<const CPOHMcas*>(pPool->GetAt(mcasItr)) : nullptr;
  return pMcas ? pMcas->GetUnitIndex() : nullptr;
}
