#pragma once
// Builds case hierarchy nodes in a session for the session tests.
#include <cstdint>

#include "session/QVEPOHSession.h"

inline std::uint64_t AddNode(IPOHSession& session, std::int32_t level, const wchar_t* name,
                             std::uint64_t parent, std::uint64_t dbItr = 0) {
  CPOHPoolBase* pPool = session.GetPOHPool(level);
  const std::uint64_t itr = pPool->Add();
  CPOHBase* pNode = pPool->GetAt(itr);
  pNode->SetName(name);
  pNode->SetParent(parent);
  pNode->SetDBIterator(dbItr);
  return itr;
}
