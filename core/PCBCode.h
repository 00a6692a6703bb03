#pragma once
// Printed-circuit-board component codes: output × 10,000,000 + property × 1000 + group × 100
// + id.
#include <cstdint>

namespace PZAR_PCB {

std::int32_t GetOutputPCB(std::int32_t code);
std::int32_t GetPropertyPCB(std::int32_t code);
std::int32_t GetGroupPCB(std::int32_t code);
std::int32_t GetIdPCB(std::int32_t code);

// Group 1 is category 102, group 4 is 103; 0 otherwise.
std::int32_t GetComponentResCatType(std::int32_t code);
// The base result id of the code's group and id; 0 when there is none.
std::int32_t GetComponentResID(std::int32_t code);
// The code of the same property and group that stands for the base result id `resId`.
std::int32_t GetComponentPCBResID(std::int32_t code, std::int32_t resId);

}  // namespace PZAR_PCB
