#pragma once
// A legend value function: where the rank boundaries of a contour legend lie, and where on the
// colour scale a result value is drawn.
#include <cstdint>

#include "base/Containers.h"
#include "qve_pvk_export.h"

class CMPUGeomState;
class CIBMPDLItem;

class PVK_API ILegendValueFunc {
public:
  virtual ~ILegendValueFunc() = default;
  // Forgets all data.
  virtual void Init() = 0;
  // The rank boundary values, lowest first.
  virtual void GetRankVal(zar::MTArray<double>& out) const = 0;
  // The value mapped onto the legend scale.
  virtual double Func(double value) const = 0;
  // Computes the ranks for the value range [min, max] and `nRank` rank values.
  virtual void SetData(CMPUGeomState* pState, CIBMPDLItem* pItem, const double& min,
                       const double& max, std::int32_t nRank) = 0;
};
