#pragma once
// The global data of facet values (location type 1): one value per facet of the mesh post
// unit, found through the unit's facet id map.
#include "ibm/IBMGlobalD.h"
#include "qve_pvk_export.h"

class PVK_API CIBMGlobalFacet : public CIBMGlobalD {
public:
  using CIBMGlobalD::SetGlobal;

  void Clear() override { ClearShared(); }
  // Facets need no body sets, and facet values no fatigue maximum.
  int InitData(CMPUPost* pMPU, pvk::TDLoadOpt& opt, std::int32_t nComp) override {
    return InitDataShared(pMPU, opt, nComp, false, false);
  }
  int SetGlobal(TIBMLoadParam& param, PartialList list) override;
  int UpdateDataRange(TIBMLoadParam& param) override;

protected:
  void DoSetGlobal(const CMPUData* pData, const CPostPartialDList& list);
  void DoCalcDataRange(const CMPUData* pData);

private:
  void InitArrays(std::int32_t nData);
  void SetNoResultElem();
  void SetComponents(const CPostPartialD& part);
};
