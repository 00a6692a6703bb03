#include "ibm/IBMPDLResultCase.h"

#include <cstdint>

#include "session/POHPoolBase.h"
#include "session/POHScas.h"
#include "session/POHSession.h"
#include "session/POHVcas.h"
#include "vresult/VResult.h"

namespace {

// The live node of that level of the result's session, or null.
template <class Node>
const Node* LiveNode(const CVResult& vr, std::int32_t nLevel, std::uint64_t itr) {
  const IPOHSession* pSession = vr.GetPOHSession();
  const CPOHPoolBase* pPool = pSession ? pSession->GetPOHPool(nLevel) : nullptr;
  if (!itr || !pPool || !pPool->IsLiveItr(itr)) return nullptr;
  return dynamic_cast<const Node*>(pPool->GetAt(itr));
}

}  // namespace

namespace pvk::ibm {

CVResultPackage* FindResultPackage(const CVResult& vr) {
  const CPOHVcas* pStep = LiveNode<CPOHVcas>(vr, pvk::POH_LEVEL_VCAS, vr.GetPOHVcas());
  return pStep ? pStep->GetPackage() : nullptr;
}

const CPOHScas* FindResultSubCase(const CVResult& vr) {
  return LiveNode<CPOHScas>(vr, pvk::POH_LEVEL_SCAS, vr.GetPOHScas());
}

}  // namespace pvk::ibm
