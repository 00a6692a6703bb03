#pragma once
// The VTK cell of each element type of the model, and where each element node goes in it.
#include <array>
#include <cstdint>

namespace pvk_export {

struct TVtkCell {
  static constexpr std::size_t kMaxNodes = 20;
  std::uint8_t type = 0;  // VTK's cell type number; 0 (VTK_EMPTY_CELL): the type is not exported
  std::int32_t nodes = 0;
  // order[k]: the element node that becomes the cell's point k.
  std::array<std::uint8_t, kMaxNodes> order{};
};

// The cell of element type code `code` (0 to 15); type 0 for no shape or an unknown code.
const TVtkCell& VtkCellOf(std::int32_t code);

}  // namespace pvk_export
