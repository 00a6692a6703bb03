#include "session/POHVcas.h"

#include "session/POHPoolBase.h"
#include "session/POHScas.h"
#include "session/POHSession.h"

IMPLEMENT_DYNCREATE(CPOHVcas, CPOHBase)

CPOHVcas::CPOHVcas()
    : m_pDSetContainer(std::make_unique<CPostDSetContainer>()),
      m_pPackage(std::make_unique<CVResultPackage>()) {}

CPOHVcas::~CPOHVcas() {
  // Data sets go before the virtual results built on them.
  m_pDSetContainer.reset();
  m_pPackage.reset();
}

int CPOHVcas::IsStep() const {
  const CPOHScas* pScas = GetParentScas();
  return pScas ? pScas->HasStep() : 0;
}

CString CPOHVcas::GetStepValueName() const {
  CString strName = GetName();
  if (!IsStep()) return strName;
  const int nPos = strName.ReverseFind(L'=');
  if (nPos <= 0) return strName;
  CString strValue = strName.Mid(nPos + 1);
  strValue.Remove(L')');
  strValue.Remove(L'(');
  return strValue;
}

const CPOHScas* CPOHVcas::GetParentScas() const {
  const CPOHPoolBase* pPool = GetPOHPool();
  const IPOHSession* pSession = pPool ? pPool->GetPOHSession() : nullptr;
  const CPOHPoolBase* pScasPool = pSession ? pSession->GetPOHPool(pvk::POH_LEVEL_SCAS) : nullptr;
  // The sub-case may have been removed on its own; a stale link must not be followed.
  if (!pScasPool || !pScasPool->IsLiveItr(GetParent())) return nullptr;
  return dynamic_cast<const CPOHScas*>(pScasPool->GetAt(GetParent()));
}
