#pragma once
// Records that the grid results share with their display items: the load parameter that the
// host fills and the flat snapshot of a grid result's global data.
#include <array>
#include <cstdint>

#include "base/Containers.h"
#include "ibm/IBMGlobalRange.h"

class CMPUData;
class IIBMGlobalMesh;
class IMPUPostProvider;
class IPreDBLinker;
namespace zar::cad {
class MXEntityPool;
}

struct TIBMLoadParam {
  IPreDBLinker* m_pLinker = nullptr;                // not owned
  IMPUPostProvider* m_pMPUProvider = nullptr;       // not owned
  CMPUData* m_pMPUData = nullptr;                   // not owned; the current display
  zar::cad::MXEntityPool* m_pEntityPool = nullptr;  // not owned
  std::int32_t m_nBuild = 0;  // non-zero: the element classes build their data at once
  // Not owned. The display mesh of the unit that the result is shown on.
  const IIBMGlobalMesh* m_pMesh = nullptr;
};

namespace pvk {

// A snapshot of the global data; every pointer is null when its array is empty and valid
// until the data change.
struct TIBMGlobalD {
  static constexpr std::int32_t N_MAX_COMP = 70;

  std::int32_t nDSICnt = 0;
  std::int32_t nDataCnt = 0;
  std::int32_t nCompCnt = 0;
  const std::int32_t* pDSI = nullptr;
  const std::int32_t* pDCT = nullptr;
  std::array<const double*, N_MAX_COMP> pComp{};
  const std::int32_t* pID = nullptr;
  const zar::MVector<double, 3>* pPos = nullptr;
  TDataRange range;
  const double* pExtent = nullptr;  // two values: minimum, maximum
  std::int32_t nAMTType = 0;
  std::int32_t nLOCType = 0;
};

}  // namespace pvk
