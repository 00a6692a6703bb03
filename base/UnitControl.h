#pragma once
// The unit control: converts value columns from the unit system of a result file into the
// current unit system of the display, and names the units for the legend. Until a current
// unit system is set, nothing is converted.
#include <cstdint>
#include <optional>

#include "base/CString.h"
#include "base/Containers.h"
#include "base/UnitIndex.h"
#include "qve_pvk_export.h"

namespace zar::lib {

class PVK_API MUnitCtrl {
public:
  // 0, with the current system left as it was, when a code is outside its table.
  int SetCurUnitSystem(const T_UNIT_INDEX& unit);
  void ResetCurUnitSystem() { m_curUnit.reset(); }
  // Null while no current unit system is set.
  const T_UNIT_INDEX* GetCurUnitSystem() const { return m_curUnit ? &*m_curUnit : nullptr; }

  // Converts a column from a result file's length and force units; its other units are taken
  // to be the current ones. 1 when the column now holds current units; 0, with the column
  // untouched, without a current system, for an unknown unit-type code or for a source code
  // outside its table.
  int ConvertTgtUnitData2CurUnitArray(std::int32_t srcLength, std::int32_t srcForce,
                                      std::int32_t unitType, zar::MArray<double>& data) const;
  // The same from a complete unit system; temperature levels move by the scales' zero points.
  // Only the codes of the kinds that the unit type depends on are checked.
  int ConvertUnitData2CurUnitArray(const T_UNIT_INDEX& src, std::int32_t unitType,
                                   zar::MArray<double>& data) const;

  // The unit text of a unit-type code in the current system ("N/mm^2"); empty without a
  // current system, for an unknown code and for dimensionless values.
  CString GetUnitSystem4Legend(std::int32_t unitType) const;

private:
  std::optional<T_UNIT_INDEX> m_curUnit;
};

}  // namespace zar::lib
