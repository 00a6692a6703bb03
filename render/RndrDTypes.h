#pragma once
// What render data objects receive with an update request.
#include <cstdint>
#include <span>

#include "base/Containers.h"

class CIBMPDLItem;
class ILegendValueFunc;
namespace zar::lib {
class MUnitCtrl;
}

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

// The display argument of an update: what is shown, how its legend divides the values and
// the unit system the legend names. None is owned.
struct T_RNDRD_ARG {
  CIBMPDLItem* pItem = nullptr;
  ILegendValueFunc* pLegendFunc = nullptr;
  const zar::lib::MUnitCtrl* pUnitCtrl = nullptr;  // null: the legend names no unit
};
// The mesh post information of an update; its members come with the displays that read it.
struct TRndrDMPUInfo {};

struct TRndrDUpdateParam {
  T_RNDRD_ARG* pArg = nullptr;
  const TRndrDMPUInfo* pMPUInfo = nullptr;
  std::int32_t nUpdateKind = 0;  // one E_RNDRD_UPDATE
};

// The sizes of the stream records of a frame's render data objects, in the order they are
// written; an object appends its size when asked for it.
struct TStreamInfo {
  zar::MArray<std::uint64_t> aInstSize;
};
// The sizes still ahead while a frame is written or read: each object checks the first and
// steps past it.
using TInstSizeIter = std::span<const std::uint64_t>;

}  // namespace pvk
