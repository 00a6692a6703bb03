#pragma once
// Unit system of a result file: five unit codes. Force: 0 kgf, 1 tonf, 2 N, 3 kN, 4 lbf,
// 5 kips. Length: 0 m, 1 cm, 2 mm, 3 ft, 4 in. Temperature: 0 C, 1 F, 2 K. Time: 0 s, 1 min,
// 2 h. Energy: 0 cal, 1 kcal, 2 J, 3 kJ, 4 Btu.
#include <cstdint>

namespace zar::lib {

struct T_UNIT_INDEX {
  std::int32_t nForce = 0;
  std::int32_t nLength = 0;
  std::int32_t nTemperature = 0;
  std::int32_t nTime = 0;
  std::int32_t nEnergy = 0;
  bool operator==(const T_UNIT_INDEX&) const = default;
};

}  // namespace zar::lib
