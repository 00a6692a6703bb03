#pragma once
// The global data of a result whose location type has no grid display: holds nothing.
#include "ibm/IBMGlobalD.h"
#include "qve_pvk_export.h"

class PVK_API CIBMGlobalNone : public CIBMGlobalD {
public:
  using CIBMGlobalD::SetGlobal;

  void Clear() override {}
  int InitData(CMPUPost*, pvk::TDLoadOpt&, std::int32_t) override { return 0; }
  int SetGlobal(TIBMLoadParam&, PartialList list) override {
    list.reset();
    return 0;
  }
  int UpdateDataRange(TIBMLoadParam&) override { return 0; }
  int GetPosValue(const zar::MVector<double, 3>&, double&) override { return 0; }
};
