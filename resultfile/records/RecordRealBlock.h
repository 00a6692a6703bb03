#pragma once
// Bulk reals of a record: read from a stored position with one seek, doubles in one read,
// floats in chunks widened from a small buffer while they are in cache.
#include <cstdint>

class CFile;

namespace pzar_body {

// Reads `count` reals of `width` bytes stored at `pos` into `dst`, which holds count doubles.
// False when the file does not hold them all; `dst` is then unspecified. File exceptions pass.
bool ReadRealBlock(CFile& file, std::uint64_t pos, std::uint64_t count, std::int32_t width,
                   void* dst);
// Reads `bytes` raw bytes from the current position; false on a short read.
bool ReadBytes(CFile& file, void* dst, std::uint64_t bytes);

}  // namespace pzar_body
