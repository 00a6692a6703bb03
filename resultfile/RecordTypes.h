#pragma once
// Record type codes of the PZAR result file, as the record header stores them, and the one
// table that names them for people: the scan's reasons name records by it, tests walk it.
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

struct TRecordTypeName {
  std::int32_t nType;
  const wchar_t* szName;
};

// Every record type of the format, in code order; the end marker is no record.
inline constexpr TRecordTypeName kRecordTypes[] = {
    {NODE_ID_LIST, L"node-id list"},
    {ELEM_ID_LIST, L"element-id list"},
    {ACT_ELEM_ID_LIST, L"active element-id list"},
    {DEACT_ELEM_ID_LIST, L"deactivated element-id list"},
    {RES_ID_LIST, L"result-type id list"},
    {ELEM_ID_LIST_ON_MCAS, L"element-id list on the result file"},
    {CASE_INFO, L"case information"},
    {OUTPUT_SET, L"output set"},
    {VECTOR, L"data vector"},
    {CONC_NODAL_VECTOR, L"concurrent nodal output vector"},
    {ENTITY_CASE_INFO, L"entity case information"},
    {SOLVER_INFO, L"solver information"},
    {ELEM_CSYS, L"element coordinate systems"},
    {PLY_ID, L"ply id list"},
    {IBM_GRID_INFO, L"IBM grid information"},
    {IBM_FAT_MAT, L"IBM fatigue material"},
    {IBM_FATIGUE, L"IBM fatigue analysis"},
    {IBM_OPTIMIZE, L"IBM optimization design domain"},
    {IBM_GRID_MATL, L"IBM grid material"},
    {NODE, L"node"},
    {RESULT_TYPE, L"result type"},
    {ELEMENT, L"element"},
    {IBM_PCB, L"PCB property id map"},
    {SUBCASE, L"end of sub-case"},
};

// The name of a record type; null for a code the format does not have.
constexpr const wchar_t* GetRecordTypeName(std::int32_t type) {
  for (const TRecordTypeName& entry : kRecordTypes)
    if (entry.nType == type) return entry.szName;
  return nullptr;
}

}  // namespace PZAR_RECORD_TYPE
