#include "vresult/templates/VRTmplCore.h"

#include <algorithm>
#include <cmath>

#include "core/PCBCode.h"
#include "datastore/PostDSetEntityCaseInfo.h"
#include "datastore/PostDSetModelResult.h"
#include "datastore/PostPartialD.h"
#include "vresult/VResult.h"
#include "vresult/VResultBinding.h"

namespace pvk::vrtmpl {

namespace {

// Resets the block, sets its types and column count, and loads the stored keys.
const CPostUnitModelResultDSet* BeginModelBlock(const CVResult& vr, CPostPartialD& data,
                                                const TVRDSet& vrdSet, std::int32_t nColumns) {
  const auto* pDSet = dynamic_cast<const CPostUnitModelResultDSet*>(vrdSet.pDSet);
  data.Reset();
  if (!pDSet || !data.Init(vr.GetDLoadOpt().nAMTType, vr.GetLocType(), nColumns)) return nullptr;
  return pDSet->OverwriteKey(*data.GetKeyForOverwrite()) ? pDSet : nullptr;
}

// The entity indexing of the block's keys, written over the storage of the last fill.
bool IndexRows(const CPostUnitModelResultDSet& dset, CPostPartialD& data, IPreDBLinker* pLinker) {
  return dset.LoadDSI(*data.GetDSIForOverwrite(), *data.GetDCTForOverwrite(), pLinker,
                      data.GetKey());
}

// Fills the columns from their slots; the rows of the last loaded column, -1 when a required
// column fails or nothing loaded.
std::int32_t LoadColumns(CPostPartialD& data, const TVRDSet& vrdSet, const TVResParam& param,
                         std::span<const std::int32_t> aSlotOfColumn,
                         std::uint32_t nRequiredColumns, std::uint32_t& nLoaded) {
  std::int32_t nRows = -1;
  nLoaded = 0;
  for (std::size_t i = 0; i < aSlotOfColumn.size(); ++i) {
    const CPostUnitModelResultDComp* pComp =
        aSlotOfColumn[i] < 0 ? nullptr : GetLiveModelResultDComp(vrdSet, aSlotOfColumn[i]);
    zar::MArray<double>* pColumn =
        pComp ? data.GetCompForOverwrite(static_cast<std::int32_t>(i)) : nullptr;
    if (pColumn && pComp->Overwrite(*pColumn, param.pLinker, data.GetKey())) {
      nRows = static_cast<std::int32_t>(pColumn->size());
      nLoaded |= 1u << i;
    } else if (nRequiredColumns >> i & 1u) {
      return -1;
    }
  }
  return nRows;
}

}  // namespace

std::int32_t AskedCompID(std::int32_t nResultCompID, std::int32_t nTmplID) {
  if (!CVResult::IsPCBResID(nResultCompID) || nResultCompID == nTmplID) return nTmplID;
  return PZAR_PCB::GetComponentPCBResID(nResultCompID, nTmplID);
}

bool FindBindings(const CVResult& vr, const zar::MList<CPostDSet*>& dsets,
                  std::span<const std::int32_t> aIds, const TBindRule& rule,
                  std::vector<TVRDSet>& out) {
  for (CPostDSet* pDSet : dsets) {
    if (!pDSet || pDSet->GetDSetType() != rule.nDSetType) continue;
    if (pDSet->GetLOCType() != vr.GetLocType()) continue;
    if (rule.bMatchCategory && pDSet->GetResCatType() != vr.GetResCatType()) return false;
    TVRDSet vrdSet;
    vrdSet.pDSet = pDSet;
    vrdSet.count = static_cast<std::int32_t>(aIds.size());
    bool bComplete = true;
    for (std::size_t i = 0; i < aIds.size(); ++i) {
      vrdSet.pDComp[i] = pDSet->GetDComp(AskedCompID(vr.GetCompID(), aIds[i]));
      // Slots from 32 on are never required (the mask has 32 bits; a wider shift is undefined).
      if (!vrdSet.pDComp[i] && i < 32 && (rule.nRequiredSlots >> i & 1u)) bComplete = false;
    }
    if (bComplete) out.push_back(vrdSet);
  }
  return true;
}

int LoadSlotColumns(const CVResult& vr, CPostPartialD* pData, const TVRDSet* pVRDSet,
                    const TVResParam* pParam, std::span<const std::int32_t> aSlotOfColumn,
                    std::uint32_t nRequiredColumns) {
  // The loaded columns are kept as bits of one 32-bit mask.
  if (!pData || !pVRDSet || !pParam || aSlotOfColumn.size() > 32) return 0;
  const auto nColumns = static_cast<std::int32_t>(aSlotOfColumn.size());
  const CPostUnitModelResultDSet* pDSet = BeginModelBlock(vr, *pData, *pVRDSet, nColumns);
  std::uint32_t nLoaded = 0;
  const std::int32_t nRows =
      pDSet ? LoadColumns(*pData, *pVRDSet, *pParam, aSlotOfColumn, nRequiredColumns, nLoaded) : -1;
  if (nRows < 0 || !IndexRows(*pDSet, *pData, pParam->pLinker)) {
    pData->Reset();
    return 0;
  }
  const auto rows = static_cast<std::size_t>(nRows);
  for (std::int32_t i = 0; i < nColumns; ++i) {
    if (aSlotOfColumn[static_cast<std::size_t>(i)] == kComputedColumn)
      pData->GetCompForOverwrite(i)->resize(rows);
    else if (nLoaded >> i & 1u)
      pData->GetComp(i)->resize(rows, 0.0);
    else
      pData->GetComp(i)->assign(rows, 0.0);
  }
  return 1;
}

int LoadCaseInfo(const CVResult& vr, std::int32_t nTmplID, CPostPartialD* pData,
                 const TVRDSet* pVRDSet, const TVResParam* /*pParam*/) {
  if (!pData || !pVRDSet) return 0;
  const auto* pDSet = dynamic_cast<const CPostUnitEntityCaseInfoDSet*>(pVRDSet->pDSet);
  auto* pComp = dynamic_cast<CPostUnitEntityCaseInfoDComp*>(GetLiveDComp(*pVRDSet, 0));
  pData->Reset();
  if (!pDSet || !pComp || !pData->Init(vr.GetDLoadOpt().nAMTType, vr.GetLocType(), 1)) return 0;
  zar::MArray<unsigned int>& caseInfo = *pData->GetCaseInfo();
  unsigned nFirst = 0, nSecond = 0, nNodes = 0;
  zar::MArray<std::int32_t> entities;
  // The template id is the loader's result-id key: its values for every stored entity, a row
  // of (first + second) values per node for each.
  const bool bLoaded =
      pDSet->LoadKey(*pData->GetKey()) &&
      pComp->LoadUnitData(nTmplID, entities, nFirst, nSecond, nNodes, caseInfo) &&
      caseInfo.size() == std::uint64_t{pData->GetKey()->size()} * (nFirst + nSecond) * nNodes &&
      pDSet->LoadDSI(*pData->GetDSI(), *pData->GetDCT(), nullptr, nFirst, nSecond, nNodes);
  if (!bLoaded) {
    pData->Reset();
    return 0;
  }
  pData->GetScalarComp()->assign(caseInfo.begin(), caseInfo.end());
  return 1;
}

void CopyDirection(CPostPartialD& data, std::int32_t nDir) {
  *data.GetComp(0) = *data.GetComp(nDir + 1);
}

void ZeroColumn(CPostPartialD& data, std::int32_t nColumn) {
  zar::MArray<double>& column = *data.GetComp(nColumn);
  std::fill(column.begin(), column.end(), 0.0);
}

void CombineAxes(CPostPartialD& data, std::int32_t nAxisA, std::int32_t nAxisB) {
  const double* a = data.GetComp(nAxisA + 1)->data();
  const double* b = data.GetComp(nAxisB + 1)->data();
  zar::MArray<double>& total = *data.GetComp(0);
  for (std::size_t i = 0; i < total.size(); ++i) total[i] = std::sqrt(a[i] * a[i] + b[i] * b[i]);
}

}  // namespace pvk::vrtmpl

// ---- Shared by the tensor-derived templates (nodal groups, SPR groups, reactions). ----

namespace pvk::vrtmpl {

namespace {

// Loads slot i into column i for the binding's slots; which columns loaded, empty when the
// first fails. The ids are handed to every load (null: all values in stored order).
std::vector<bool> LoadSlotsInOrder(CPostPartialD& data, const TVRDSet& vrdSet,
                                   const TVResParam& param, zar::MArray<std::int32_t>* pIds,
                                   std::int32_t& nRows) {
  std::vector<bool> loaded(static_cast<std::size_t>(vrdSet.count), false);
  for (std::int32_t i = 0; i < vrdSet.count; ++i) {
    const CPostUnitModelResultDComp* pComp = GetLiveModelResultDComp(vrdSet, i);
    zar::MArray<double>* pColumn = pComp ? data.GetCompForOverwrite(i) : nullptr;
    if (pColumn && pComp->Overwrite(*pColumn, param.pLinker, pIds)) {
      nRows = static_cast<std::int32_t>(pColumn->size());
      loaded[static_cast<std::size_t>(i)] = true;
    } else if (i == 0) {
      return {};
    }
  }
  return loaded;
}

// Loaded columns keep their values up to nRows, the others become nRows zeros.
void FitColumns(CPostPartialD& data, const std::vector<bool>& loaded, std::int32_t nRows) {
  for (std::size_t i = 0; i < loaded.size(); ++i) {
    zar::MArray<double>& column = *data.GetComp(static_cast<std::int32_t>(i));
    if (loaded[i])
      column.resize(static_cast<std::size_t>(nRows), 0.0);
    else
      column.assign(static_cast<std::size_t>(nRows), 0.0);
  }
}

bool IsUsableBinding(const CPostPartialD* pData, const TVRDSet* pVRDSet, const TVResParam* pParam) {
  return pData && pVRDSet && pParam && pVRDSet->count >= 1 && pVRDSet->count <= TVRDSet::N_MAX_COMP;
}

}  // namespace

int LoadEverySlot(const CVResult& vr, CPostPartialD* pData, const TVRDSet* pVRDSet,
                  const TVResParam* pParam) {
  if (!IsUsableBinding(pData, pVRDSet, pParam)) return 0;
  const CPostUnitModelResultDSet* pDSet = BeginModelBlock(vr, *pData, *pVRDSet, pVRDSet->count);
  std::int32_t nRows = 0;
  const std::vector<bool> loaded =
      pDSet ? LoadSlotsInOrder(*pData, *pVRDSet, *pParam, pData->GetKey(), nRows)
            : std::vector<bool>{};
  if (loaded.empty() || !IndexRows(*pDSet, *pData, pParam->pLinker)) {
    pData->Reset();
    return 0;
  }
  FitColumns(*pData, loaded, nRows);
  return 1;
}

int LoadReaction(const CVResult& vr, CPostPartialD* pData, const TVRDSet* pVRDSet,
                 const TVResParam* pParam) {
  if (!IsUsableBinding(pData, pVRDSet, pParam)) return 0;
  const auto* pDSet = dynamic_cast<const CPostUnitModelResultDSet*>(pVRDSet->pDSet);
  pData->Reset();  // geometry rows carry no entity information
  if (!pDSet || !pData->Init(vr.GetDLoadOpt().nAMTType, vr.GetLocType(), pVRDSet->count)) return 0;
  std::int32_t nRows = 0;
  std::vector<bool> loaded;
  if (pDSet->LoadReactionKey(*pData->GetFKey(), *pData->GetFPos()))
    loaded = LoadSlotsInOrder(*pData, *pVRDSet, *pParam, nullptr, nRows);
  if (loaded.empty()) {
    pData->Reset();
    return 0;
  }
  *pData->GetKey() = *pData->GetFKey();
  FitColumns(*pData, loaded, static_cast<std::int32_t>(pData->GetKey()->size()));
  return 1;
}

}  // namespace pvk::vrtmpl
