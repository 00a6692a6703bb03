#include "render/IBMLegendRndrD.h"

#include <algorithm>
#include <array>

#include "base/UnitControl.h"
#include "ibm/IBMGlobalD.h"
#include "ibm/IBMPDLItem.h"
#include "render/LegendBandCounter.h"
#include "render/LegendValueFunc.h"
#include "session/POHBase.h"
#include "session/POHPoolBase.h"
#include "session/POHSession.h"
#include "session/PostAPI.h"
#include "vresult/VResult.h"

namespace pvk {

namespace {

constexpr std::size_t N_TOP_OBJ = 3;
// Facet values are gathered into blocks of this many before they are counted.
constexpr std::size_t N_GATHER = 512;

// The name of a node of the result's case hierarchy; empty for none.
CString NodeName(const CVResult& vr, std::int32_t nLevel, std::uint64_t itr) {
  const IPOHSession* pSession = vr.GetPOHSession();
  const CPOHPoolBase* pPool = pSession && itr ? pSession->GetPOHPool(nLevel) : nullptr;
  const CPOHBase* pNode = pPool ? pPool->GetAt(itr) : nullptr;
  return pNode ? pNode->GetName() : CString();
}

}  // namespace

void CIBMLegendRndrD::Clear() {
  m_aTop.clear();
  m_aBtm.clear();
  m_aValue.clear();
  m_aPercent.clear();
}

int CIBMLegendRndrD::MakeLegendD(T_RNDRD_ARG* arg, const TRndrDMPUInfo* info) {
  if (!arg || !arg->pItem || !arg->pLegendFunc) return 0;
  _MakeValueD(arg, info);
  _MakePercentD(arg, info);
  const CVResult* pResult = arg->pItem->GetVResultMain();
  MakeTopBlock(pResult);
  MakeBtmBlock(pResult, *arg);
  arg->pItem->LegendChanged();
  return 1;
}

void CIBMLegendRndrD::_MakeValueD(T_RNDRD_ARG* arg, const TRndrDMPUInfo*) {
  if (arg && arg->pLegendFunc) arg->pLegendFunc->GetRankVal(m_aValue);
}

void CIBMLegendRndrD::_MakePercentD(T_RNDRD_ARG* arg, const TRndrDMPUInfo*) {
  m_aPercent.assign(m_aValue.size(), 0.0);
  const CIBMGlobalD* pData = arg && arg->pItem ? arg->pItem->GetMainD() : nullptr;
  switch (pData ? pData->GetLOCType() : 0) {
    case LOC_FACET:
      _MakePercentDFacet(*pData);
      break;
    case LOC_POINT:
      _MakePercentDVector(*pData);
      break;
    case LOC_NODE:
    case LOC_IBM_VOLUME_NODE:
      _MakePercentDElem(*pData);
      break;
    default:
      std::fill(m_aValue.begin(), m_aValue.end(), 0.0);
      break;
  }
}

void CIBMLegendRndrD::_MakePercentDFacet(const CIBMGlobalD& data) {
  const zar::MArray<std::int32_t>& dsi = data.GetDSI();
  const zar::MArray<std::int32_t>& dct = data.GetDCT();
  const zar::MArray<double>& comp = data.GetScalarComp();
  CLegendBandCounter counter(m_aValue);
  std::array<double, N_GATHER> block;
  std::size_t n = 0;
  for (std::size_t f = 0; f < std::min(dsi.size(), dct.size()); ++f) {
    if (dct[f] == 0 || dsi[f] < 0 || static_cast<std::size_t>(dsi[f]) >= comp.size()) continue;
    block[n++] = comp[dsi[f]];
    if (n == block.size()) {
      counter.Add(block);
      n = 0;
    }
  }
  counter.Add(std::span<const double>(block.data(), n));
  CountPercents(counter);
}

void CIBMLegendRndrD::_MakePercentDVector(const CIBMGlobalD& data) {
  CountPercents(data.GetScalarComp());
}

void CIBMLegendRndrD::_MakePercentDElem(const CIBMGlobalD& data) {
  CountPercents(data.GetScalarComp());
}

void CIBMLegendRndrD::_MakePercentDVolume(const CIBMGlobalD& data) {
  CountPercents(data.GetScalarComp());
}

void CIBMLegendRndrD::CountPercents(std::span<const double> values) {
  CLegendBandCounter counter(m_aValue);
  counter.Add(values);
  CountPercents(counter);
}

void CIBMLegendRndrD::CountPercents(const CLegendBandCounter& counter) {
  if (counter.GetCounted() == 0) {
    std::fill(m_aValue.begin(), m_aValue.end(), 0.0);
    return;
  }
  counter.GetPercents(m_aPercent);
}

void CIBMLegendRndrD::MakeTopBlock(const CVResult* pResult) {
  if (m_aTop.size() != N_TOP_OBJ) m_aTop.assign(N_TOP_OBJ, T_LEGEND_OBJ{});
  const IPostAPI* pAPI = IPostAPI::Instance();
  m_aTop[0] =
      MakeLegendObj(LEGEND_OBJ_TITLE,
                    pAPI && pResult ? pAPI->GetResCatTitle(pResult->GetResCatType()) : CString());
  m_aTop[1] = MakeLegendObj(LEGEND_OBJ_BLANK, CString());
  m_aTop[2] = MakeLegendObj(LEGEND_OBJ_TEXT, pResult ? pResult->GetLegendName() : CString());
}

void CIBMLegendRndrD::MakeBtmBlock(const CVResult* pResult, const T_RNDRD_ARG& arg) {
  m_aBtm.clear();
  const auto addName = [this](const CString& name) {
    m_aBtm.push_back(MakeLegendObj(LEGEND_OBJ_TEXT, name));
    m_aBtm.push_back(MakeLegendObj(LEGEND_OBJ_BLANK, CString()));
  };
  CString unit;
  if (pResult) {
    const CString file = NodeName(*pResult, pvk::POH_LEVEL_MCAS, pResult->GetPOHMcas());
    const CString subcase = NodeName(*pResult, pvk::POH_LEVEL_SCAS, pResult->GetPOHScas());
    const CString step = NodeName(*pResult, pvk::POH_LEVEL_VCAS, pResult->GetPOHVcas());
    if (!file.IsEmpty()) addName(file);
    if (!subcase.IsEmpty()) addName(subcase);
    if (step != subcase) addName(step);
    if (arg.pUnitCtrl) unit = arg.pUnitCtrl->GetUnitSystem4Legend(pResult->GetUnit());
  }
  m_aBtm.push_back(MakeLegendObj(LEGEND_OBJ_TEXT, CString(L"Unit : ") + unit));
}

}  // namespace pvk
