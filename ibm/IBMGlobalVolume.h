#pragma once
// The global data of nodal values on the hexahedral cells of the unit's bodies (location
// types 6 and 7): one value per display node of the cells with a result, with cut-offs, the
// saturation clamp of densities, and the face and centre nodes of 20-node cells derived from
// the cell's own nodes.
#include "ibm/IBMGlobalD.h"
#include "qve_pvk_export.h"

class PVK_API CIBMGlobalVolume : public CIBMGlobalD {
public:
  using CIBMGlobalD::SetGlobal;

  void Clear() override { ClearShared(); }
  int InitData(CMPUPost* pMPU, pvk::TDLoadOpt& opt, std::int32_t nComp) override {
    return InitDataShared(pMPU, opt, nComp, true, true);
  }
  // 0 also when param names no display mesh.
  int SetGlobal(TIBMLoadParam& param, PartialList list) override;
  int UpdateDataRange(TIBMLoadParam& param) override;

protected:
  void DoSetGlobal(const CMPUData* pData, const CPostPartialDList& list);
  void DoCalcDataRange(const CMPUData* pData) { CalcVolumeRange(pData, false); }

  // Total displacement outside the complex and harmonic analyses.
  bool GetTotalDisplacement() const;
  std::int32_t GetBeginComp() const { return GetTotalDisplacement() ? 1 : 0; }
  bool GetSaturate() const { return IsTopologyOptimization(); }
  // Zero threshold, then the cut-offs unless the result is a total displacement.
  double Settle(double v) const;

private:
  void SetComponents(const CPostPartialD& part, const zar::MArray<std::int32_t>& rows,
                     zar::MArray<unsigned char>& hasValue);
  void SetDerivedNodes(zar::MArray<unsigned char>& hasValue);
  void DeriveNode(std::int32_t elem, std::int32_t node);
};
