#include "vresult/VResult.h"

#include "base/UnitControl.h"
#include "core/ModelDBLink.h"
#include "datastore/PostDSet.h"
#include "datastore/PostDSetModelResult.h"
#include "datastore/PostPartialDList.h"
#include "vresult/VResultBinding.h"

IMPLEMENT_DYNCREATE(CVResult, CPostObject)

namespace {

const IPreDBTable* KeyTableOf(pvk::LOC_TYPE locType, const TVResParam* pParam) {
  if (!pParam || !pParam->pLinker) return nullptr;
  switch (locType) {
    case pvk::LOC_ELEM:
    case pvk::LOC_ELEM_CORNER:
      return pParam->pLinker->GetElementTable();
    case pvk::LOC_NODE:
      return pParam->pLinker->GetNodeTable();
    default:
      return nullptr;
  }
}

// The direction cosines of a three-dimensional principal vector (value, then its three
// cosines, per principal value) have no unit.
// Direction cosines and unit directions have no unit: every column of a principal block but
// the values (a value and its three direction components per principal).
bool IsUnitFreeColumn(pvk::AMT_TYPE amt, std::int32_t i) {
  return (amt == pvk::AMT_PRINCIPAL_3D || amt == pvk::AMT_PRINCIPAL_2D) && i % 4 != 0;
}

}  // namespace

CString CVResult::GetName() const { return L"UnKnownType"; }

CString CVResult::GetLegendName() const { return L"UnKnownType"; }

std::int32_t CVResult::AddVRDSet(const TVRDSet& vrdSet) {
  m_listVRDSet.push_back(vrdSet);
  return static_cast<std::int32_t>(m_listVRDSet.size());
}

std::int32_t CVResult::LoadKey(zar::MArray<std::int32_t>* pKeys, TVResParam* /*pParam*/) const {
  if (!pKeys) return 0;
  pKeys->clear();
  zar::MArray<std::int32_t> keys;
  for (const TVRDSet& vrdSet : m_listVRDSet) {
    keys.clear();
    if (vrdSet.pDSet && vrdSet.pDSet->LoadKey(keys))
      pKeys->insert(pKeys->end(), keys.begin(), keys.end());
  }
  return static_cast<std::int32_t>(pKeys->size());
}

int CVResult::LoadKeyItr(zar::MArray<std::uint64_t>* pItrs, TVResParam* pParam) const {
  if (!pItrs) return 0;
  pItrs->clear();
  const IPreDBTable* pTable = KeyTableOf(GetLocType(), pParam);
  if (!pTable) return 0;
  zar::MArray<std::int32_t> keys;
  LoadKey(&keys, pParam);
  pItrs->reserve(keys.size());
  for (const std::int32_t id : keys)
    if (const std::uint64_t itr = pTable->FindByID(id)) pItrs->push_back(itr);
  return pItrs->empty() ? 0 : 1;
}

int CVResult::LoadData(CPostPartialDList* pList, TVResParam* pParam) {
  return LoadBlocks(pList, pParam, FindResultFileUnit());
}

int CVResult::LoadDataNU(CPostPartialDList* pList, TVResParam* pParam) {
  return LoadBlocks(pList, pParam, nullptr);
}

int CVResult::LoadBlocks(CPostPartialDList* pList, TVResParam* pParam,
                         const zar::lib::T_UNIT_INDEX* pUnit) {
  // The templates hand the context's link to every component load.
  if (!pList || !pParam) return 0;
  const zar::lib::MUnitCtrl* pCtrl = pParam->pUnitCtrl;
  pList->Reset(m_listVRDSet.size());
  int nLoaded = 0;
  auto itBlock = pList->GetList().begin();
  for (TVRDSet& vrdSet : m_listVRDSet) {
    CPostPartialD* pData = (itBlock++)->get();
    if (!_LoadPartial(pData, &vrdSet, pParam)) {
      // Half-loaded rows without their values must not reach the displays.
      pData->Reset();
      continue;
    }
    nLoaded = 1;
    if (pUnit && pCtrl) ConvertUnits(*pData, *pCtrl, *pUnit);
  }
  return nLoaded;
}

void CVResult::ConvertUnits(CPostPartialD& data, const zar::lib::MUnitCtrl& ctrl,
                            const zar::lib::T_UNIT_INDEX& unit) const {
  const std::int32_t nUnit = GetUnit();
  for (std::int32_t i = 0; i < data.GetCompCnt(); ++i) {
    zar::MArray<double>* pColumn = data.GetComp(i);
    if (pColumn && !IsUnitFreeColumn(data.GetAMTType(), i))
      ctrl.ConvertTgtUnitData2CurUnitArray(unit.nLength, unit.nForce, nUnit, *pColumn);
  }
}

void CVResult::GetDataInfo(std::vector<pvk::TVResDInfo>& infos) const {
  infos.clear();
  for (const TVRDSet& vrdSet : m_listVRDSet) {
    for (std::int32_t i = 0; i < TVRDSet::N_MAX_COMP; ++i) {
      const CPostUnitModelResultDComp* pComp = GetLiveModelResultDComp(vrdSet, i);
      CPostUnitModelResultDComp::Loader* pLoader = pComp ? pComp->GetLoader() : nullptr;
      pvk::TVResDInfo info;
      if (pLoader && pLoader->GetDataInfo(&info)) infos.push_back(info);
    }
  }
}

int CVResult::IsLineRes() const {
  for (const TVRDSet& vrdSet : m_listVRDSet) {
    for (std::int32_t i = 0; i < TVRDSet::N_MAX_COMP; ++i) {
      const CPostUnitModelResultDComp* pComp = GetLiveModelResultDComp(vrdSet, i);
      CPostUnitModelResultDComp::Loader* pLoader = pComp ? pComp->GetLoader() : nullptr;
      pvk::TVResDInfo info;
      if (pLoader && pLoader->GetDataInfo(&info)) return info.nInfo[0];
    }
  }
  return 0;
}

int CVResult::NeedNodeLocalCycs() const {
  if (m_listVRDSet.empty()) return 0;
  const CPostUnitModelResultDComp* pComp = GetLiveModelResultDComp(m_listVRDSet.front(), 0);
  return pComp ? pComp->NeedNodeLocalCycs() : 0;
}
