#pragma once
// The base of the helpers that prepare one part of a drawing for the renderer (textures and
// the data that place them). The renderer tells helpers apart by their data type.
#include "qve_pvk_export.h"

namespace zar::render {

enum E_DATA_TYPE : int {
  DATA_NONE = 0,
  DATA_VOLUME = 1,   // one three-dimensional texture over a regular grid
  DATA_FATIGUE = 2,  // stress textures and a curve texture for fatigue on the graphics card
};

class PVK_API MPartHelper {
public:
  MPartHelper() = default;
  MPartHelper(const MPartHelper&) = delete;
  MPartHelper& operator=(const MPartHelper&) = delete;
  virtual ~MPartHelper() = default;

  virtual E_DATA_TYPE GetHelperType() const = 0;
};

}  // namespace zar::render
