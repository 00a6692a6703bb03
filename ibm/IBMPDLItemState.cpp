// The state flags of an item, from its results.
#include "core/PCBCode.h"
#include "core/ResultId.h"
#include "ibm/IBMPDLItem.h"
#include "ibm/IBMPDLResultCase.h"
#include "session/POHScas.h"
#include "vresult/VResult.h"

namespace {

using pvk::kPhaseAngleOffset;

// Results shown as components of a tensor or vector; a magnitude or phase angle is formed
// from the complex pair of each of them except the von Mises stresses and strains.
struct TComponentRow {
  std::int32_t nFirst, nLast;
  bool bVonMises;
};
constexpr TComponentRow kComponentLike[] = {
    {102, 104, false},     {202, 204, false},     {302, 304, false},     {602, 604, false},
    {702, 704, false},     {802, 804, false},     {7101, 7106, false},   {7107, 7107, true},
    {7201, 7206, false},   {7207, 7207, true},    {60100, 60100, false}, {60111, 60111, false},
    {60122, 60122, false}, {60133, 60133, false}, {60144, 60144, false}, {60155, 60155, false},
    {60166, 60166, true},  {60200, 60200, false}, {60211, 60211, false}, {60222, 60222, false},
    {60233, 60233, false}, {60244, 60244, false}, {60255, 60255, false}, {60266, 60266, true},
};

// Facet results that show as point values.
constexpr std::int32_t kPointFacetIDs[] = {1301, 1305};
constexpr const wchar_t* kRMSCaseName = L"RMS";

// The base quantity of a phase-angle or printed-circuit-board result id.
std::int32_t NormaliseResID(std::int32_t id) {
  if (id > kPhaseAngleOffset) id -= kPhaseAngleOffset;
  return CVResult::IsPCBResID(id) ? PZAR_PCB::GetComponentResID(id) : id;
}

const TComponentRow* FindComponentRow(const CVResult* pResult) {
  if (!pResult) return nullptr;
  const std::int32_t id = NormaliseResID(pResult->GetType());
  for (const TComponentRow& row : kComponentLike)
    if (id >= row.nFirst && id <= row.nLast) return &row;
  return nullptr;
}

bool IsPointResult(const CVResult* pResult) {
  if (!pResult) return false;
  if (pResult->GetLocType() == pvk::LOC_POINT) return true;
  if (pResult->GetLocType() != pvk::LOC_FACET) return false;
  for (const std::int32_t id : kPointFacetIDs)
    if (pResult->GetType() == id) return true;
  return false;
}

bool IsRMSCase(const CVResult* pResult) {
  const CPOHScas* pSubCase = pResult ? pvk::ibm::FindResultSubCase(*pResult) : nullptr;
  return pSubCase && pSubCase->GetName().CompareNoCase(kRMSCaseName) == 0;
}

}  // namespace

void CIBMPDLItem::SetGlobalState(const CVResult* pResult) {
  m_nState = 0;
  if (IsPointResult(m_apVResult[ROLE_MAIN])) m_nState |= STATE_POINT;
  if (pResult && pResult->GetType() > kPhaseAngleOffset) m_nState |= STATE_PHASE;
  // An RMS is shown as it is: neither point values nor a phase angle.
  if (IsRMSCase(pResult)) m_nState = STATE_RMS;
  if (const TComponentRow* pRow = FindComponentRow(m_apVResult[ROLE_IMAG])) {
    m_nState |= STATE_COMP;
    if (!pRow->bVonMises) m_nState |= STATE_MAGNITUDE;
  }
  if (m_apVResult[ROLE_NONL]) m_nState |= STATE_NONL;
}
