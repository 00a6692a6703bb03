#include "render/AnimAPI.h"

#include "render/AnimInfo.h"

namespace {
constexpr float kFullScale = 1.0f;
// Fewer frames leave no span to divide the frame index by.
constexpr int kMinSwingFrames = 2;
}  // namespace

float CAnimAPI::GetAnimationMainRatio(const CAnimInfo* /*pInfo*/) { return kFullScale; }

// A frame count below two would divide by zero; such an animation shows the full scale, as a
// stopped one does.
float CAnimAPI::GetAnimationDeformRatio(const CAnimInfo* pInfo) {
  if (!pInfo || !pInfo->IsAnimationRun() || pInfo->IsMultiSet() ||
      pInfo->GetFrameNum() < kMinSwingFrames)
    return kFullScale;
  const float r =
      static_cast<float>(pInfo->GetCurrentFrame()) / static_cast<float>(pInfo->GetFrameNum() - 1);
  return !pInfo->IsHalfCycle() && !pInfo->IsPositiveDeform() ? -r : r;
}

pvk::TDataRange CAnimAPI::GetAnimationDataRangeMain(const CAnimInfo* /*pInfo*/,
                                                    const pvk::TDataRange& range) {
  return range;
}

pvk::TDataRange CAnimAPI::GetAnimationDataRangeDeform(const CAnimInfo* /*pInfo*/,
                                                      const pvk::TDataRange& range) {
  return range;
}
