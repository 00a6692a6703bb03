#pragma once
// The amount type of a result: the shape of the data it delivers, and with it the default
// number of value columns. Types 7, 8, 9 and 12 have no name of their own.
#include <cstdint>

namespace pvk {

enum AMT_TYPE : std::int32_t {
  AMT_SCALAR = 1,
  AMT_VECTOR = 2,
  AMT_PRINCIPAL_2D = 3,
  AMT_PRINCIPAL_3D = 4,
  AMT_NODAL_FATIGUE = 5,
  AMT_TENSOR = 6,
  AMT_NONLINEAR = 10,
  AMT_TENSOR6 = 11,
  AMT_FORCE_SET8 = 13,
  AMT_SPR1 = 14,
  AMT_SPR3 = 15,
  AMT_SPR6 = 16,
  AMT_SPR7 = 17,
};

// 0 for an amount type without a default (13 among them: its templates give the count).
constexpr std::int32_t GetDefaultCompCnt(std::int32_t amt) {
  switch (amt) {
    case 1:
      return 1;
    case 2:
    case 7:
      return 4;
    case 3:
    case 10:
      return 8;
    case 4:
      return 12;
    case 5:
    case 6:
    case 12:
      return 7;
    case 8:
      return 9;
    case 9:
      return 13;
    case 11:
      return 6;
    case 14:
      return 10;
    case 15:
      return 30;
    case 16:
      return 60;
    case 17:
      return 70;
    default:
      return 0;
  }
}

constexpr bool IsSPRAmtType(std::int32_t amt) { return amt >= AMT_SPR1 && amt <= AMT_SPR7; }

}  // namespace pvk
