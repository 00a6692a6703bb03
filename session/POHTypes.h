#pragma once
// Enumerations of the case hierarchy and its session.
#include <cstdint>

namespace pvk {

// How a step's output set relates to the solver: 1 when the model database's solver query on
// the output set's solver id answered non-zero.
enum E_POHV_SOLVER_TYPE : std::int32_t {
  POHV_SOLVER_DEFAULT = 0,
  POHV_SOLVER_MATCHED = 1,
};

// Kind of post session.
enum E_POH_TYPE : std::int32_t {
  POH_TYPE_QVE = 0,
};

}  // namespace pvk
