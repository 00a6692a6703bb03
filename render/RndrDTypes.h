#pragma once
// What render data objects receive with an update request.
#include <cstdint>

namespace pvk {

// Where a render data object is drawn: with the model, or over it (legends).
enum E_RNDRD_RENDER_LEVEL : int {
  RNDRD_RENDER_MODEL = 0,
  RNDRD_RENDER_OVERLAY = 1,
};

// How an animation frame touches a render data object: not at all, rebuilt once for the
// animated result, or rebuilt for every frame.
enum E_RNDRD_ANIMATE_LEVEL : int {
  RNDRD_ANIMATE_NONE = 0,
  RNDRD_ANIMATE_RESULT = 1,
  RNDRD_ANIMATE_FRAME = 2,
};

// Update kinds, one bit each, so that an object's update-information mask can name several.
enum E_RNDRD_UPDATE : std::int32_t {
  RNDRD_UPDATE_INITIALIZE = 1,
  RNDRD_UPDATE_CHANGE_RESULT = 2,
  RNDRD_UPDATE_CHANGE_OPTION = 4,
  RNDRD_UPDATE_SHOW_HIDE = 8,
  RNDRD_UPDATE_ANIMATION = 16,
};

// The display argument (display item, legend value function, unit control) and the mesh post
// information of an update; their members come with the displays that fill them.
struct T_RNDRD_ARG {};
struct TRndrDMPUInfo {};

struct TRndrDUpdateParam {
  T_RNDRD_ARG* pArg = nullptr;
  const TRndrDMPUInfo* pMPUInfo = nullptr;
  std::int32_t nUpdateKind = 0;  // one E_RNDRD_UPDATE
};

}  // namespace pvk
