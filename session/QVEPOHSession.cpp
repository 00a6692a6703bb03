#include "session/QVEPOHSession.h"

#include <iterator>

#include "base/MessageTable.h"
#include "base/ProgressBar.h"
#include "base/ValidAddress.h"

namespace {

constexpr const wchar_t* kRemoveFormatKey = L"IDS_QVED_PVK_LCOM_REMOVE_FORMAT";
constexpr zar::lib::TMsgText kSessionTexts[] = {
    {kRemoveFormatKey, L"Removing "},
};

void RegisterSessionTexts() {
  static const bool bRegistered = [] {
    zar::lib::MMSGFunction::RegisterTexts(kSessionTexts, std::size(kSessionTexts));
    return true;
  }();
  (void)bRegistered;
}

}  // namespace

CQVEPOHSession::CQVEPOHSession()
    : m_pPoolMcas(std::make_unique<CPOHPoolQVEMcas>(this)),
      m_pPoolScas(std::make_unique<CPOHPoolScas>(this)),
      m_pPoolVcas(std::make_unique<CPOHPoolVcas>(this)) {
  RegisterSessionTexts();
}

CQVEPOHSession::~CQVEPOHSession() {
  // Result files first, steps last.
  m_pPoolMcas.reset();
  m_pPoolScas.reset();
  m_pPoolVcas.reset();
}

CPOHPoolBase* CQVEPOHSession::GetPOHPool(std::int32_t nLevel) {
  switch (nLevel) {
    case pvk::POH_LEVEL_MCAS:
      return m_pPoolMcas.get();
    case pvk::POH_LEVEL_SCAS:
      return m_pPoolScas.get();
    case pvk::POH_LEVEL_VCAS:
      return m_pPoolVcas.get();
    default:
      return nullptr;
  }
}

const CPOHPoolBase* CQVEPOHSession::GetPOHPool(std::int32_t nLevel) const {
  return const_cast<CQVEPOHSession*>(this)->GetPOHPool(nLevel);
}

void CQVEPOHSession::Remove(std::uint64_t mcasItr) {
  // A freed entry may still be readable, so the address test alone is not enough.
  if (!mcasItr || !zar::IsValidAddress(reinterpret_cast<const void*>(mcasItr), 8) ||
      !m_pPoolMcas->IsLiveItr(mcasItr))
    return;
  zar::MArray<std::uint64_t> scasItrs;
  m_pPoolScas->GetListByParent(mcasItr, scasItrs);
  zar::MArray<std::uint64_t> vcasItrs;
  m_pPoolVcas->GetListByPOHMcas(mcasItr, vcasItrs);
  RemoveSteps(vcasItrs);
  for (const std::uint64_t scasItr : scasItrs) m_pPoolScas->Remove(scasItr);
  // The pool removes it only while it still names a live entry.
  m_pPoolMcas->Remove(mcasItr);
}

void CQVEPOHSession::RemoveByDBItr(std::uint64_t nDBItr) {
  const std::uint64_t mcasItr = m_pPoolMcas->GetByDBItr(nDBItr);
  if (mcasItr && zar::IsValidAddress(reinterpret_cast<const void*>(mcasItr), 8)) Remove(mcasItr);
}

void CQVEPOHSession::Optimize() {
  for (CPOHPoolBase* pPool : {GetPOHPool(pvk::POH_LEVEL_MCAS), GetPOHPool(pvk::POH_LEVEL_SCAS),
                              GetPOHPool(pvk::POH_LEVEL_VCAS)}) {
    pPool->Optimize();
    pPool->SortAsc();
  }
}

void CQVEPOHSession::BuildDBItrMap() {
  m_pPoolMcas->BuildDBItrMap();
  m_pPoolScas->BuildDBItrMap();
}

void CQVEPOHSession::RemoveSteps(const zar::MArray<std::uint64_t>& vcasItrs) {
  zar_interface::IProgressBar* pProgress = zar_interface::IProgressBar::m_pInstance;
  const CString strPrefix = zar::lib::MMSGFunction::GetValue(kRemoveFormatKey);
  if (pProgress) {
    pProgress->Start();
    pProgress->SetRange(0, static_cast<int>(vcasItrs.size()));
  }
  int nDone = 0;
  for (const std::uint64_t vcasItr : vcasItrs) {
    // The host's progress display runs between removals; re-check before reading the node.
    if (!m_pPoolVcas->IsLiveItr(vcasItr)) continue;
    if (pProgress) pProgress->SetText(strPrefix + m_pPoolVcas->GetAt(vcasItr)->GetName());
    m_pPoolVcas->Remove(vcasItr);
    if (pProgress) pProgress->SetPos(++nDone);
  }
  if (pProgress) pProgress->End();
}
