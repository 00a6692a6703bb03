#pragma once
// Load-time registration of virtual result classes and component-type pairs from generated
// tables.
#include <cstdint>
#include <span>

#include "base/Object.h"

// A result id and the class record of its concrete virtual result class.
struct TVResultClassReg {
  std::int32_t nResultID;
  CRuntimeClass* pClass;  // not owned
};

// A component id and one result id that it makes available.
struct TCompTypeVResReg {
  std::int32_t nCompID;
  std::int32_t nResultID;
};

// Each registers every row with the factory or map of `key`, in row order, and returns the
// number of rows accepted.
std::int32_t RegisterVResultClasses(int key, std::span<const TVResultClassReg> aRows);
std::int32_t RegisterCompTypeVResPairs(int key, std::span<const TCompTypeVResReg> aRows);

// A static object of this class registers generated tables when the library is loaded:
//   static const CVResultTableRegistrar s_reg(0, kClassRows, kPairRows);
class CVResultTableRegistrar {
public:
  CVResultTableRegistrar(int key, std::span<const TVResultClassReg> aClasses,
                         std::span<const TCompTypeVResReg> aPairs);
};
