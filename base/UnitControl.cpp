#include "base/UnitControl.h"

#include "base/UnitDimension.h"

namespace zar::lib {

namespace {

bool IsValidUnitSystem(const T_UNIT_INDEX& unit) {
  for (std::int32_t k = 0; k < UNIT_KIND_COUNT; ++k) {
    const auto kind = static_cast<E_UNIT_KIND>(k);
    if (!FindUnitDef(kind, UnitCodeOf(unit, kind))) return false;
  }
  return true;
}

// value_cur = value_src * rFactor + rShift
struct TLinearMap {
  double rFactor = 1.0;
  double rShift = 0.0;
};

double IntPow(double base, std::int32_t exp) {
  double r = 1.0;
  for (std::int32_t i = 0; i < (exp < 0 ? -exp : exp); ++i) r *= base;
  return exp < 0 ? 1.0 / r : r;
}

// False when a kind the dimension depends on has a code outside its table.
bool MakeLinearMap(const TUnitDimension& dim, const T_UNIT_INDEX& src, const T_UNIT_INDEX& cur,
                   TLinearMap& map) {
  for (std::int32_t k = 0; k < UNIT_KIND_COUNT; ++k) {
    if (dim.nExp[k] == 0) continue;
    const auto kind = static_cast<E_UNIT_KIND>(k);
    const TUnitDef* pSrc = FindUnitDef(kind, UnitCodeOf(src, kind));
    const TUnitDef* pCur = FindUnitDef(kind, UnitCodeOf(cur, kind));
    if (!pSrc || !pCur) return false;
    map.rFactor *= IntPow(pSrc->rScale / pCur->rScale, dim.nExp[k]);
    if (dim.bTemperatureLevel && kind == UNIT_TEMPERATURE)
      map.rShift = (pSrc->rOffset * pSrc->rScale) / pCur->rScale - pCur->rOffset;
  }
  return true;
}

}  // namespace

int MUnitCtrl::SetCurUnitSystem(const T_UNIT_INDEX& unit) {
  if (!IsValidUnitSystem(unit)) return 0;
  m_curUnit = unit;
  return 1;
}

int MUnitCtrl::ConvertTgtUnitData2CurUnitArray(std::int32_t srcLength, std::int32_t srcForce,
                                               std::int32_t unitType,
                                               zar::MArray<double>& data) const {
  if (!m_curUnit) return 0;
  T_UNIT_INDEX src = *m_curUnit;
  src.nLength = srcLength;
  src.nForce = srcForce;
  // A bad source code is refused even where the unit type does not need it: the file's unit
  // system is broken, and its other values would not be trustworthy either.
  if (!FindUnitDef(UNIT_LENGTH, srcLength) || !FindUnitDef(UNIT_FORCE, srcForce)) return 0;
  return ConvertUnitData2CurUnitArray(src, unitType, data);
}

int MUnitCtrl::ConvertUnitData2CurUnitArray(const T_UNIT_INDEX& src, std::int32_t unitType,
                                            zar::MArray<double>& data) const {
  const TUnitDimension* pDim = FindUnitDimension(unitType);
  TLinearMap map;
  if (!m_curUnit || !pDim || !MakeLinearMap(*pDim, src, *m_curUnit, map)) return 0;
  if (map.rFactor == 1.0 && map.rShift == 0.0) return 1;
  for (double& v : data) v = v * map.rFactor + map.rShift;
  return 1;
}

CString MUnitCtrl::GetUnitSystem4Legend(std::int32_t unitType) const {
  const TUnitDimension* pDim = FindUnitDimension(unitType);
  if (!m_curUnit || !pDim) return CString();
  CString text(pDim->pszLegend);
  static constexpr const wchar_t* kTokens[UNIT_KIND_COUNT] = {L"{F}", L"{L}", L"{C}", L"{T}",
                                                              L"{E}"};
  for (std::int32_t k = 0; k < UNIT_KIND_COUNT; ++k) {
    const auto kind = static_cast<E_UNIT_KIND>(k);
    text.Replace(kTokens[k], FindUnitDef(kind, UnitCodeOf(*m_curUnit, kind))->pszName);
  }
  return text;
}

}  // namespace zar::lib
