#pragma once
// The user's output coordinate system options, as the host hands them to the conversions.
#include <cstdint>

// What GetOutputCSys is asked for; only the system kind is examined.
struct TGetOutputCSysParam {
  std::int32_t nCSysKind = 0;
  std::int32_t nCSysID = 0;  // the user system's id in the model, for kinds that name one
};

// Options of the output coordinate system conversion of displayed results.
struct TOutCSysInfo {
  // 0: results stay in their stored systems; 1 to 5: converted; other kinds are refused.
  std::int32_t nCSysKind = 0;
  std::int32_t nCSysID = 0;
  // Non-zero: shell results are turned by projecting nProjDir on the shell plane.
  std::int32_t nProjection = 0;
  double rProjDir[3] = {1.0, 0.0, 0.0};
  // Non-zero: the conversion reports why it refused a result.
  std::int32_t nShowWarning = 0;
};
