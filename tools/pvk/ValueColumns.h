#pragma once
// The names of a result's value columns, by its amount type.
#include <cstdint>
#include <string>
#include <vector>

namespace pvk_values {

// The names of `count` columns of amount type `amt`; "c0", "c1", ... where the shape is not
// known (an amount type without names, or a block whose column count differs from them).
std::vector<std::string> ColumnNames(std::int32_t amt, std::int32_t count);

}  // namespace pvk_values
