#pragma once
// Tests whether memory can be read, without ever faulting. A freed heap block may still be
// readable: callers that hold handles also check that the handle names a live entry.
#include <cstddef>

#include "qve_pvk_export.h"

namespace zar {

PVK_API bool IsValidAddress(const void* p, std::size_t bytes);

}  // namespace zar
