#include "session/POHPools.h"

#include <unordered_map>
#include <vector>

#include "session/POHMcas.h"
#include "session/POHScas.h"
#include "session/POHSession.h"
#include "session/POHVcas.h"

namespace {

// The session's pool of a level; null without a session.
const CPOHPoolBase* LevelPool(const CPOHPoolBase& pool, std::int32_t nLevel) {
  const IPOHSession* pSession = pool.GetPOHSession();
  return pSession ? pSession->GetPOHPool(nLevel) : nullptr;
}

std::uint64_t ParentOf(const CPOHPoolBase* pPool, std::uint64_t itr) {
  const CPOHBase* pNode = pPool ? pPool->GetAt(itr) : nullptr;
  return pNode ? pNode->GetParent() : 0;
}

}  // namespace

CPOHPoolQVEMcas::CPOHPoolQVEMcas(IPOHSession* pSession)
    : CPOHPoolMcas(pSession, RUNTIME_CLASS(CPOHMcas)) {}

CPOHPoolQVEMcas::iterator CPOHPoolQVEMcas::GetByPOHScas(iterator scasItr) const {
  return ParentOf(LevelPool(*this, pvk::POH_LEVEL_SCAS), scasItr);
}

CPOHPoolQVEMcas::iterator CPOHPoolQVEMcas::GetByPOHVcas(iterator vcasItr) const {
  return GetByPOHScas(ParentOf(LevelPool(*this, pvk::POH_LEVEL_VCAS), vcasItr));
}

CPOHPoolScas::CPOHPoolScas(IPOHSession* pSession)
    : CPOHPoolBase(pSession, RUNTIME_CLASS(CPOHScas)) {}

CPOHPoolScas::iterator CPOHPoolScas::GetByPOHVcas(iterator vcasItr) const {
  return ParentOf(LevelPool(*this, pvk::POH_LEVEL_VCAS), vcasItr);
}

CPOHPoolScas::iterator CPOHPoolScas::GetByVcasDB(std::uint64_t vcasDbItr) const {
  const CPOHPoolBase* pVcasPool = LevelPool(*this, pvk::POH_LEVEL_VCAS);
  return pVcasPool ? ParentOf(pVcasPool, pVcasPool->GetByDBItr(vcasDbItr)) : 0;
}

std::int32_t CPOHPoolScas::GetListByMcasDB(std::uint64_t mcasDbItr,
                                           zar::MArray<std::uint64_t>& out) const {
  const CPOHPoolBase* pMcasPool = LevelPool(*this, pvk::POH_LEVEL_MCAS);
  const iterator mcasItr = pMcasPool ? pMcasPool->GetByDBItr(mcasDbItr) : 0;
  return mcasItr ? GetListByParent(mcasItr, out) : 0;
}

CPOHPoolVcas::CPOHPoolVcas(IPOHSession* pSession)
    : CPOHPoolBase(pSession, RUNTIME_CLASS(CPOHVcas)) {}

std::int32_t CPOHPoolVcas::GetListByPOHMcas(iterator mcasItr,
                                            zar::MArray<std::uint64_t>& out) const {
  out.clear();
  const CPOHPoolBase* pScasPool = LevelPool(*this, pvk::POH_LEVEL_SCAS);
  zar::MArray<std::uint64_t> scasItrs;
  if (!pScasPool || !pScasPool->GetListByParent(mcasItr, scasItrs)) return 0;
  // One walk over the steps, each filed under its sub-case's place in sub-case order.
  std::unordered_map<std::uint64_t, std::size_t> placeOf;
  placeOf.reserve(scasItrs.size());
  for (std::size_t i = 0; i < scasItrs.size(); ++i) placeOf.emplace(scasItrs[i], i);
  std::vector<zar::MArray<std::uint64_t>> stepsOf(scasItrs.size());
  for (iterator itr = GetHeadPosition(); itr;) {
    const iterator cur = itr;
    const auto it = placeOf.find(GetNext(itr)->GetParent());
    if (it != placeOf.end()) stepsOf[it->second].push_back(cur);
  }
  for (const auto& steps : stepsOf) out.insert(out.end(), steps.begin(), steps.end());
  return static_cast<std::int32_t>(out.size());
}

std::int32_t CPOHPoolVcas::GetListByScasDB(std::uint64_t scasDbItr,
                                           zar::MArray<std::uint64_t>& out) const {
  const CPOHPoolBase* pScasPool = LevelPool(*this, pvk::POH_LEVEL_SCAS);
  const iterator scasItr = pScasPool ? pScasPool->GetByDBItr(scasDbItr) : 0;
  return scasItr ? GetListByParent(scasItr, out) : 0;
}
