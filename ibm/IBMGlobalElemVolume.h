#pragma once
// Element-node results sampled at the display nodes of every cell (8 per 8-node cell, 27 per
// 20-node cell), in parallel over the cells of each body. Indexed and ranged like the nodal
// volume data.
#include <atomic>

#include "ibm/IBMGlobalElemBase.h"
#include "qve_pvk_export.h"

class PVK_API CIBMGlobalElemVolume : public CIBMGlobalElemBase {
public:
  void Clear() override { CIBMGlobalElemBase::Clear(); }
  int DoSetGlobal(TIBMLoadParam& param, PartialList list, PartialList pair) override;

protected:
  void SetDataRange(const CMPUData* pData) override {
    CalcVolumeRange(pData, pvk::IsSPRAmtType(m_nAMTType));
  }
  // Component 0 only, or for fatigue data the components from the first shown one on.
  int DataIncrease(std::int32_t n);

  // Samples every body; the arrays must be sized (DoSetGlobal).
  void SetDataComponent();

private:
  void SampleBody(std::int32_t b, const pvk::ibm::TValueKernel<float>& kernel, double* const* out,
                  std::atomic_flag* claimed) const;
};
