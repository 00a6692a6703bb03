#pragma once
// Scale factors of an animation frame for the renderer.
#include "ibm/IBMGlobalRange.h"
#include "qve_pvk_export.h"

class CAnimInfo;

class PVK_API CAnimAPI {
public:
  virtual ~CAnimAPI() = default;

  static float GetAnimationMainRatio(const CAnimInfo* pInfo);
  // The deformation's scale in this frame: a triangle wave over the frames, in 0 .. 1 with a
  // half cycle and in -1 .. 1 without. 1 while the animation is stopped or shows result sets.
  static float GetAnimationDeformRatio(const CAnimInfo* pInfo);
  // The ranges do not change with the frame.
  static pvk::TDataRange GetAnimationDataRangeMain(const CAnimInfo* pInfo,
                                                   const pvk::TDataRange& range);
  static pvk::TDataRange GetAnimationDataRangeDeform(const CAnimInfo* pInfo,
                                                     const pvk::TDataRange& range);
};
