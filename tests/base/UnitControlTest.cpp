#include <gtest/gtest.h>

#include <cmath>

#include "base/UnitControl.h"
#include "base/UnitDimension.h"
#include "vresult/catalogue/VResultCatalogue.h"

namespace {

using zar::lib::MUnitCtrl;
using zar::lib::T_UNIT_INDEX;
using Column = zar::MArray<double>;

// Field order: force, length, temperature, time, energy.
constexpr T_UNIT_INDEX kNMeterC{2, 0, 0, 0, 2};
constexpr T_UNIT_INDEX kNMillimeterC{2, 2, 0, 0, 2};

MUnitCtrl CtrlIn(const T_UNIT_INDEX& cur) {
  MUnitCtrl ctrl;
  EXPECT_EQ(ctrl.SetCurUnitSystem(cur), 1);
  return ctrl;
}

struct TgtCase {
  const char* what;
  std::int32_t srcLength, srcForce, unitType;
  double in, out;
};

TEST(MUnitCtrl, ConvertsFromTheFileLengthAndForceIntoNewtonMetre) {
  const TgtCase cases[] = {{"stress mm/N", 2, 2, 18, 1.0, 1.0e6},
                           {"stress m/kN", 0, 3, 18, 2.0, 2000.0},
                           {"force kN", 0, 3, 2, 2.5, 2500.0},
                           {"force kgf", 0, 0, 2, 1.0, 9.80665},
                           {"moment kN*mm", 2, 3, 12, 1.0, 1.0},
                           {"acceleration mm", 2, 2, 3, 9810.0, 9.81},
                           {"moment per length kN", 1, 3, 13, 1.0, 1000.0},
                           {"inertia mm^4", 2, 2, 11, 1.0e12, 1.0},
                           {"velocity ft/s", 3, 2, 23, 1.0, 0.3048},
                           {"angle stays", 2, 3, 4, 45.0, 45.0},
                           {"temperature keeps the current scale", 2, 3, 6, 20.0, 20.0}};
  const MUnitCtrl ctrl = CtrlIn(kNMeterC);
  for (const TgtCase& c : cases) {
    Column column{c.in, -c.in};
    EXPECT_EQ(ctrl.ConvertTgtUnitData2CurUnitArray(c.srcLength, c.srcForce, c.unitType, column), 1)
        << c.what;
    EXPECT_NEAR(column[0], c.out, 1e-9 * std::abs(c.out)) << c.what;
    EXPECT_NEAR(column[1], -c.out, 1e-9 * std::abs(c.out)) << c.what;
  }
}

struct FullCase {
  const char* what;
  T_UNIT_INDEX src, cur;
  std::int32_t unitType;
  double in, out;
};

TEST(MUnitCtrl, ConvertsTemperatureLevelsWithZeroPointsAndDifferencesWithout) {
  const T_UNIT_INDEX cels{2, 0, 0, 0, 2}, fahr{2, 0, 1, 0, 2}, kelv{2, 0, 2, 0, 2};
  const T_UNIT_INDEX celsMm{2, 2, 0, 0, 2}, kcalHour{2, 0, 0, 2, 1};
  const FullCase cases[] = {{"C to F", cels, fahr, 6, 100.0, 212.0},
                            {"C to F at zero", cels, fahr, 6, 0.0, 32.0},
                            {"F to C", fahr, cels, 6, -40.0, -40.0},
                            {"C to K", cels, kelv, 6, 0.0, 273.15},
                            {"K to F", kelv, fahr, 6, 0.0, -459.67},
                            {"gradient C/mm to F/m", celsMm, fahr, 90, 1.0, 1800.0},
                            {"heat flow kcal/h to J/s", kcalHour, cels, 75, 3600.0, 4184.0},
                            {"heat flux J/s/mm^2 to J/s/m^2", celsMm, cels, 78, 1.0, 1.0e6}};
  for (const FullCase& c : cases) {
    const MUnitCtrl ctrl = CtrlIn(c.cur);
    Column column{c.in};
    EXPECT_EQ(ctrl.ConvertUnitData2CurUnitArray(c.src, c.unitType, column), 1) << c.what;
    EXPECT_NEAR(column[0], c.out, 1e-9 * (1.0 + std::abs(c.out))) << c.what;
  }
}

TEST(MUnitCtrl, RefusesWithoutCurrentSystemOrWithUnknownCodesAndLeavesTheColumn) {
  const Column original{1.5, -2.0};
  MUnitCtrl none;
  Column column = original;
  EXPECT_EQ(none.GetCurUnitSystem(), nullptr);
  EXPECT_EQ(none.ConvertTgtUnitData2CurUnitArray(2, 3, 18, column), 0);
  EXPECT_EQ(none.ConvertUnitData2CurUnitArray(kNMillimeterC, 18, column), 0);
  EXPECT_EQ(column, original);

  MUnitCtrl ctrl = CtrlIn(kNMeterC);
  struct {
    std::int32_t length, force, unitType;
  } const refused[] = {{2, 2, 7}, {2, 2, -1}, {5, 2, 18}, {-1, 2, 1}, {2, 6, 2}, {2, 99, 0}};
  for (const auto& r : refused) {
    EXPECT_EQ(ctrl.ConvertTgtUnitData2CurUnitArray(r.length, r.force, r.unitType, column), 0);
    EXPECT_EQ(column, original);
  }
  // A broken temperature code matters only for what depends on temperature.
  const T_UNIT_INDEX badTemp{2, 2, 9, 0, 2};
  EXPECT_EQ(ctrl.ConvertUnitData2CurUnitArray(badTemp, 6, column), 0);
  EXPECT_EQ(ctrl.ConvertUnitData2CurUnitArray(badTemp, 1, column), 1);
  EXPECT_DOUBLE_EQ(column[0], 1.5e-3);

  EXPECT_EQ(ctrl.SetCurUnitSystem(T_UNIT_INDEX{6, 0, 0, 0, 2}), 0);
  EXPECT_EQ(*ctrl.GetCurUnitSystem(), kNMeterC);
  ctrl.ResetCurUnitSystem();
  EXPECT_EQ(ctrl.ConvertTgtUnitData2CurUnitArray(2, 2, 1, column), 0);
}

TEST(MUnitCtrl, LegendTextsNameTheCurrentUnits) {
  const struct {
    std::int32_t unitType;
    const wchar_t* text;
  } cases[] = {{18, L"N/mm^2"}, {12, L"N*mm"}, {3, L"mm/sec^2"},    {13, L"N*mm/mm"},
               {6, L"C"},       {0, L""},      {78, L"J/sec/mm^2"}, {7, L""}};
  const MUnitCtrl ctrl = CtrlIn(kNMillimeterC);
  for (const auto& c : cases)
    EXPECT_EQ(ctrl.GetUnitSystem4Legend(c.unitType), CString(c.text)) << c.unitType;
  EXPECT_EQ(CtrlIn({5, 3, 1, 2, 4}).GetUnitSystem4Legend(75), CString(L"Btu/hr"));
  EXPECT_TRUE(MUnitCtrl().GetUnitSystem4Legend(18).IsEmpty());
  // Every unit code of the result catalogue has a dimension.
  for (const TVResCatalogueRow& row : GetVResultCatalogue())
    EXPECT_NE(zar::lib::FindUnitDimension(row.nUnit), nullptr) << row.nId << " " << row.nUnit;
}

}  // namespace
