#pragma once
// The global data of point values (location type 5): the first partial data set, copied.
#include "ibm/IBMGlobalD.h"
#include "qve_pvk_export.h"

class PVK_API CIBMGlobalVect : public CIBMGlobalD {
public:
  using CIBMGlobalD::SetGlobal;

  void Clear() override { ClearShared(); }
  int InitData(CMPUPost* pMPU, pvk::TDLoadOpt& opt, std::int32_t nComp) override {
    return InitDataShared(pMPU, opt, nComp, true, true);
  }
  int SetGlobal(TIBMLoadParam& param, PartialList list) override;
  int UpdateDataRange(TIBMLoadParam& param) override;

protected:
  void DoSetGlobal(const CMPUData* pData, const CPostPartialDList& list);
  void DoCalcDataRange(const CMPUData* pData);
};
