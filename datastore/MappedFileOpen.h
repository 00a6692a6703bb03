#pragma once
// Opening the files that the memory file classes map.
#include <cstdint>
#include <string>

namespace pvk::mapfile {

// The path as UTF-8; empty for a null path.
std::string NarrowPath(const wchar_t* path);
// A descriptor of a regular file, or -1: a folder, device or pipe cannot be mapped.
int OpenRegular(const std::string& path, int flags);
// The file's length, or -1.
std::int64_t FileLength(int fd);

}  // namespace pvk::mapfile
