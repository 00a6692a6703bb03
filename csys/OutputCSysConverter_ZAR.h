#pragma once
// Element output systems, principal values, and the conversion of value groups into the
// user's output coordinate system.
#include <array>
#include <cstdint>

#include "core/DataTypes.h"
#include "csys/OutputCSysTypes.h"

// Value groups of loaded results: per entity the first row (DSI) and the row count (DCT) in
// columns of nRows values each.
struct TCSysConvGroups {
  static constexpr std::int32_t N_MAX_COMP = 8;

  std::int32_t nEntity = 0;
  const std::int32_t* pDSI = nullptr;              // not owned
  const std::int32_t* pDCT = nullptr;              // not owned
  const pvk::TElemOutCsys_d* pElemCSys = nullptr;  // not owned; null: the global system
  const std::uint8_t* pIsShell = nullptr;          // not owned; null: no shell entity
  std::int32_t nComp = 0;                          // 3, 6 or 8
  std::int32_t nRows = 0;
  std::array<double*, N_MAX_COMP> pComp{};  // not owned; the first nComp are used
};

class COutputCSysConverter_ZAR {
public:
  // The system of entry nIndex; the identity without entries or for a negative index (the
  // caller vouches for the upper bound). Returns 1.
  static int GetElemOutputCSys(const pvk::TElemOutCsys_d* pEntries, std::int32_t nIndex,
                               double m[3][3]);
  // (xx, yy, xy) to (major, minor, angle of the major axis from x in degrees). 0, with zeros
  // out, when a value is not finite.
  static int calcPrincipalStress2D(const double s[3], double out[3]);
  // Six tensor components to the values, largest first, and their directions as rows. 0, with
  // both outputs zeroed, when a component is not finite or the solution fails.
  static int calcPrincipalStress3D(const double* s, double* values, double dirs[3][3]);

  // Whether the options ask for a conversion at all.
  static int IsNeedConvert(const TOutCSysInfo* pInfo);
  // Converts every group in place: element values from their element systems, through global
  // axes, into the output system. 0, with nothing changed, when an index or the component
  // count does not fit; 0 also when a shell projection is refused.
  static int ConvertGroups(const TOutCSysInfo& info, int nEngineering,
                           const TCSysConvGroups& groups);

protected:
  // a: the symmetric matrix, overwritten. values largest first, dirs[k] the unit direction of
  // values[k] with the sign rule applied. 0 when the solution fails.
  static int Compute_Principal_Values(double a[3][3], double values[3], double dirs[3][3]);
};
