#pragma once
// Render data of a contour legend: the title block above the colour bar, the information block
// below it, the rank values along the bar and the share of the shown values in each band.
#include "base/Containers.h"
#include "qve_pvk_export.h"
#include "render/LegendObj.h"
#include "render/PostRndrData.h"

namespace pvk {

class PVK_API IPostLegendRndrData : public CPostRndrData {
public:
  using CPostRndrData::CPostRndrData;

  virtual const zar::MTArray<T_LEGEND_OBJ>& GetTopLegendObjs() const = 0;
  virtual const zar::MTArray<T_LEGEND_OBJ>& GetBtmLegendObjs() const = 0;
  virtual const zar::MTArray<double>& GetValues() const = 0;
  // One per rank, 0 to 100.
  virtual const zar::MTArray<double>& GetPercents() const = 0;
};

}  // namespace pvk
