#pragma once
// Records of the virtual results: the load options, one binding of a result to a data set, and
// the context of a load.
#include <array>
#include <cstdint>

#include "core/DataTypes.h"
#include "datastore/AmtType.h"

class CPostDSet;
class CPostDComp;
class IPreDBLinker;

namespace zar::lib {
class MUnitCtrl;
}

namespace pvk {

// What kind of data a result delivers.
struct TDLoadOpt {
  AMT_TYPE nAMTType = static_cast<AMT_TYPE>(0);
  LOC_TYPE nLOCType = static_cast<LOC_TYPE>(0);
  std::int32_t nAnalType = 0;
  std::int32_t nResType = 0;  // the virtual result id
  double rFatigueMax = 1.0;
};

}  // namespace pvk

// One data set that a result reads, with the components it needs in the template's order.
struct TVRDSet {
  static constexpr std::int32_t N_MAX_COMP = 70;

  CPostDSet* pDSet = nullptr;                    // not owned
  std::array<CPostDComp*, N_MAX_COMP> pDComp{};  // not owned; the first `count` are used
  std::int32_t count = 0;
  std::uint64_t nReserved = 0;
};

// What the caller of a load hands down.
struct TOutCSysInfo;

struct TVResParam {
  // Not owned. Converts the values into the current unit system; null leaves them in the
  // result file's units.
  const zar::lib::MUnitCtrl* pUnitCtrl = nullptr;
  // Not owned. Passed on to every component load; its node and element tables map entity
  // ids to model iterators.
  IPreDBLinker* pLinker = nullptr;
  // Not owned. The user's output coordinate system; null (or kind 0) shows element results
  // in their stored systems.
  const TOutCSysInfo* pOutCSys = nullptr;
};
