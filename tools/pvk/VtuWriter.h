#pragma once
// A small writer of VTK's XML unstructured grid files (.vtu: one piece, binary data appended
// raw, 64-bit headers, optionally zlib-compressed in VTK's block layout) and of the collection
// files (.pvd) that give each of them a time. Values go out as they are: NaN and infinities too.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace pvk_export {

enum class EVtuType { FLOAT64, INT64, INT32, UINT8 };

struct TVtuArray {
  std::string name;  // none for the point positions
  EVtuType type = EVtuType::FLOAT64;
  std::int32_t components = 1;
  std::vector<std::string> componentNames;  // none, or one per component
  std::span<const std::byte> bytes;         // not owned; tuples one after another
};

template <class T>
std::span<const std::byte> BytesOf(const std::vector<T>& values) {
  return std::as_bytes(std::span<const T>(values));
}

struct TVtuPiece {
  std::int64_t points = 0;
  std::int64_t cells = 0;
  TVtuArray positions;              // Float64, three components
  TVtuArray connectivity, offsets;  // Int64
  TVtuArray types;                  // UInt8, VTK's cell types
  std::vector<TVtuArray> pointData, cellData;
};

// Writes the piece to `path` (created or truncated); empty on success, else why it failed.
std::string WriteVtu(const std::string& path, const TVtuPiece& piece, bool compress);

struct TPvdEntry {
  double time = 0.0;
  std::string file;  // relative to the collection file
};
std::string WritePvd(const std::string& path, const std::vector<TPvdEntry>& entries);

}  // namespace pvk_export
