#pragma once
// What a post document or post view update is about. The host defines the codes; the library
// itself only acts on the deformed-display code.
#include <cstdint>

namespace pvk {

enum E_PDOC_UPDATE : std::int32_t {};

enum E_PVIEW_UPDATE : std::int32_t {
  // The view turns to a deformed display: listeners that work only on the undeformed shape
  // close their dialog instead of being notified.
  PVIEW_UPDATE_DEFORM = 4,
};

}  // namespace pvk
