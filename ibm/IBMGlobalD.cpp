#include "ibm/IBMGlobalD.h"

#include <algorithm>
#include <initializer_list>

#include "ibm/MeshPostUnit.h"

namespace {

struct TIdSpan {
  std::int32_t lo;
  std::int32_t hi;
};
using IdSpans = std::initializer_list<TIdSpan>;

bool InSpans(std::int32_t id, IdSpans spans, std::int32_t shift = 0) {
  return std::any_of(spans.begin(), spans.end(),
                     [&](const TIdSpan& s) { return id >= s.lo + shift && id <= s.hi + shift; });
}

// Stress results; the strain results are the same ids less 100.
constexpr IdSpans kStress = {{7201, 7210},
                             {60200, 60200},
                             {60211, 60211},
                             {60222, 60222},
                             {60233, 60233},
                             {60244, 60244},
                             {60255, 60255},
                             {60266, 60268},
                             {60279, 60279},
                             {1000060200, 1000060200},
                             {1000060211, 1000060211},
                             {1000060222, 1000060222},
                             {1000007201, 1000007206},
                             {1000060233, 1000060233},
                             {1000060244, 1000060244},
                             {1000060255, 1000060255}};
constexpr std::int32_t kStrainShift = -100;

// By principal value index, first to third.
constexpr std::int32_t kPrincipal[3][4] = {
    {7108, 7208, 60167, 60267}, {7109, 7209, 60168, 60268}, {7110, 7210, 60179, 60279}};

constexpr std::int32_t kFatigueFirst = 9001;

}  // namespace

int CIBMGlobalD::SetGlobal(TIBMLoadParam&, PartialList list, PartialList pair) {
  list.reset();
  pair.reset();
  return 0;
}

int CIBMGlobalD::GetPosValue(const zar::MVector<double, 3>&, double&) { return 0; }

pvk::TIBMGlobalD CIBMGlobalD::GetStruct() const {
  auto first = [](const auto& a) { return a.empty() ? nullptr : a.data(); };
  pvk::TIBMGlobalD s;
  s.nDSICnt = static_cast<std::int32_t>(m_aDSI.size());
  s.nDataCnt = GetDataCount();
  s.nCompCnt = m_nCompCnt;
  s.pDSI = first(m_aDSI);
  s.pDCT = first(m_aDCT);
  for (std::int32_t i = 0; i < N_MAX_COMP; ++i) s.pComp[i] = first(m_aComp[i]);
  s.pID = first(m_aID);
  s.pPos = first(m_aPos);
  s.range = m_range;
  s.pExtent = m_aExtent.data();
  s.nAMTType = m_nAMTType;
  s.nLOCType = m_nLOCType;
  return s;
}

const zar::MArray<double>* CIBMGlobalD::GetCompData(std::int32_t i) const {
  return i >= 0 && i < N_MAX_COMP ? &m_aComp[i] : nullptr;
}

zar::MArray<double>* CIBMGlobalD::GetCompData(std::int32_t i) {
  return i >= 0 && i < N_MAX_COMP ? &m_aComp[i] : nullptr;
}

int CIBMGlobalD::InitDataShared(CMPUPost* pMPU, const pvk::TDLoadOpt& opt, std::int32_t nComp,
                                bool bNeedBodies, bool bFatMax) {
  Clear();
  const std::int32_t n = nComp != 0 ? nComp : pvk::GetDefaultCompCnt(opt.nAMTType);
  if (!pMPU || (bNeedBodies && pMPU->GetBodySets().empty()) || n < 1 || n > N_MAX_COMP) return 0;
  m_pMPU = pMPU;
  m_nCompCnt = n;
  m_nAMTType = opt.nAMTType;
  m_nLOCType = opt.nLOCType;
  m_nAnalType = opt.nAnalType;
  m_nResType = opt.nResType;
  if (bFatMax) m_rFatMax = opt.rFatigueMax;
  return 1;
}

void CIBMGlobalD::ClearShared() {
  m_pMPU = nullptr;
  m_pMesh = nullptr;
  m_nCompCnt = 0;
  for (auto* a : {&m_aID, &m_aDSI, &m_aDCT}) a->clear();
  m_aPos.clear();
  m_aPos2.clear();
  m_aNoResult.clear();
  m_aBndrRange.clear();
  for (auto& c : m_aComp) c.clear();
  m_range = {};
}

int CIBMGlobalD::DataIncrease(std::int32_t n) {
  if (n < 1 || m_nCompCnt < 1) return 0;
  GrowComps(m_nCompCnt, n);
  return 1;
}

void CIBMGlobalD::GrowComps(std::int32_t nComp, std::int32_t n) {
  for (std::int32_t c = 0; c < nComp && c < N_MAX_COMP; ++c)
    m_aComp[c].resize(m_aComp[c].size() + static_cast<std::size_t>(n), 0.0);
}

void CIBMGlobalD::MergeBndrRanges() {
  m_range = {};
  for (const pvk::TDataRange& r : m_aBndrRange) m_range.Merge(r);
}

bool CIBMGlobalD::IsVonMises() const {
  return InSpans(m_nResType, {{7107, 7107}, {7207, 7207}, {60166, 60166}, {60266, 60266}});
}

bool CIBMGlobalD::IsStress() const { return InSpans(m_nResType, kStress); }

bool CIBMGlobalD::IsStrain() const { return InSpans(m_nResType, kStress, kStrainShift); }

bool CIBMGlobalD::IsHeatTotal() const {
  return InSpans(m_nResType, {{7304, 7304}, {7308, 7308}, {60433, 60433}, {60477, 60477}});
}

bool CIBMGlobalD::IsHeatTransfer() const {
  return InSpans(m_nResType, {{7301, 7308}, {60433, 60433}, {60477, 60477}});
}

bool CIBMGlobalD::IsNLVar() const {
  if (m_nResType >= 7701 && m_nResType <= 7708) return true;
  return m_nResType >= 60300 && m_nResType <= 60377 && m_nResType % 11 == 60300 % 11;
}

std::int32_t CIBMGlobalD::GetBeginComp() const {
  return IsTotalDisplacement() || IsFatigueOutputData() ? 1 : 0;
}

std::int32_t CIBMGlobalD::GetStrPrinIdx() const {
  for (std::int32_t i = 0; i < 3; ++i)
    if (std::find(std::begin(kPrincipal[i]), std::end(kPrincipal[i]), m_nResType) !=
        std::end(kPrincipal[i]))
      return i;
  return -1;
}

std::int32_t CIBMGlobalD::GetFatigueTypeIdx() const {
  return IsFatigueOutputData() ? (m_nResType - kFatigueFirst) / 2 : -1;
}

std::int32_t CIBMGlobalD::GetFatigueSubTypeIdx() const {
  return IsFatigueOutputData() ? (m_nResType - kFatigueFirst) % 2 : -1;
}
