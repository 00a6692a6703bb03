#pragma once
// Record type codes of the PZAR result file, as the record header stores them.
#include <cstdint>

namespace PZAR_RECORD_TYPE {

constexpr std::int32_t END_OF_FILE = -1;
constexpr std::int32_t NODE_ID_LIST = 1;
constexpr std::int32_t ELEM_ID_LIST = 2;
constexpr std::int32_t ACT_ELEM_ID_LIST = 3;
constexpr std::int32_t DEACT_ELEM_ID_LIST = 4;
constexpr std::int32_t RES_ID_LIST = 5;
constexpr std::int32_t ELEM_ID_LIST_ON_MCAS = 7;
constexpr std::int32_t CASE_INFO = 12;
constexpr std::int32_t OUTPUT_SET = 13;
constexpr std::int32_t VECTOR = 14;
constexpr std::int32_t CONC_NODAL_VECTOR = 15;
constexpr std::int32_t ENTITY_CASE_INFO = 16;
constexpr std::int32_t SOLVER_INFO = 100;
constexpr std::int32_t ELEM_CSYS = 10003;
constexpr std::int32_t PLY_ID = 10004;
constexpr std::int32_t IBM_GRID_INFO = 10006;
constexpr std::int32_t IBM_FAT_MAT = 10008;
constexpr std::int32_t IBM_FATIGUE = 10009;
constexpr std::int32_t IBM_OPTIMIZE = 10010;
constexpr std::int32_t IBM_GRID_MATL = 10012;
constexpr std::int32_t NODE = 10013;
constexpr std::int32_t RESULT_TYPE = 10014;
constexpr std::int32_t ELEMENT = 10015;
constexpr std::int32_t IBM_PCB = 10016;
constexpr std::int32_t SUBCASE = 10017;

}  // namespace PZAR_RECORD_TYPE
