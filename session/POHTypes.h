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

// Level of the case hierarchy, the argument of IPOHSession::GetPOHPool.
enum E_POH_LEVEL : std::int32_t {
  POH_LEVEL_MCAS = 0,  // result files
  POH_LEVEL_SCAS = 1,  // sub-cases
  POH_LEVEL_VCAS = 2,  // steps
};

// Kind of post session.
enum E_POH_TYPE : std::int32_t {
  POH_TYPE_QVE = 0,
};

}  // namespace pvk
